#pragma once

#include <QString>
#include <cstdint>

// One pass over a RAR archive through the UnRAR library: extract, test or list its entries.
// Every archive error that the module knows is shown in a box titled "Error", after which the
// program ends; the caller never sees a failure.
namespace vornelix::ModuleRAR {

// Walks the archive (a Windows-style path) entry by entry and closes it:
//   mode 0 extracts every entry to destination (a Windows-style file path, the same for all),
//   mode 1 tests every entry, mode 2 lists them, any other mode passes over them.
// A password other than "" is handed to the library before the first entry. An archive
// comment is shown first, in a box titled "Comment". Window events are processed between
// entries, paint events alone while an entry's data flows, so the windows keep painting; a
// call made from those events while a pass is under way shows kPassUnderWayMessage in a box
// titled "Error" and returns.
void RARExecute(const QString& destination, std::int32_t mode, const QString& archive,
                const QString& password);

// An archive failure that ends the program, with the message that says so.
struct ArchiveFailure {
    QString message;
};

// One pass as RARExecute makes it, but an archive failure is thrown as ArchiveFailure instead
// of ending the program, so that the caller can take away what it made before it reports the
// failure with RARFatalError.
void RARExecuteOrThrow(const QString& destination, std::int32_t mode, const QString& archive,
                       const QString& password);

inline const QString kPassUnderWayMessage =
    QStringLiteral("Another archive is being extracted; wait until it is done.");

// Opens the archive for listing and closes it again; a failure to open it is reported as
// RARExecute reports it (the program ends for every failure that has a message).
void RARCheckOpen(const QString& archive);

// Shows message in a box titled "Error"; once it is closed, the program ends at once.
[[noreturn]] void RARFatalError(const QString& message);

}  // namespace vornelix::ModuleRAR
