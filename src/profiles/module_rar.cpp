#include "profiles/module_rar.h"

#include "forms/busy_state.h"

#include <cstdlib>
#include <optional>
#include <utility>

#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/rar_archive.h"
#include "platform/services.h"
#include "platform/user_interface.h"

namespace vornelix::ModuleRAR {

namespace {

using platform::RarArchive;
using platform::RarOperation;
namespace rar = platform::rar;

constexpr int kCommentChars = 16384;
constexpr std::int32_t kModeExtract = 0;
constexpr std::int32_t kModeTest = 1;
constexpr std::int32_t kModeList = 2;

std::optional<QString> openMessage(std::int32_t code, const QString& archive) {
    switch (code) {
        case rar::kNoMemory:
            return QStringLiteral("Not enough memory");
        case rar::kBadData:
            return archive + QStringLiteral(": archive header broken");
        case rar::kBadArchive:
            return archive + QStringLiteral(" is not RAR archive");
        case rar::kOpenError:
            return QStringLiteral("Cannot open ") + archive;
        default:
            return std::nullopt;
    }
}

std::optional<QString> processMessage(std::int32_t code) {
    switch (code) {
        case rar::kBadData:
            return QStringLiteral("CRC error");
        case rar::kBadArchive:
            return QStringLiteral("Bad volume");
        case rar::kUnknownFormat:
            return QStringLiteral("Unknown archive format");
        case rar::kOpenError:
            return QStringLiteral("Volume open error");
        case rar::kCreateError:
            return QStringLiteral("File create error");
        case rar::kCloseError:
            return QStringLiteral("File close error");
        case rar::kReadError:
            return QStringLiteral("Read error");
        case rar::kWriteError:
            return QStringLiteral("Write error");
        default:
            return std::nullopt;
    }
}

// The library reports a missing or wrong password of RAR 5 data and headers with codes of its
// own; for RAR 4 data it reports the same failure as damaged data. Both are reported alike.
int passwordAsBadData(int code) {
    return code == rar::kMissingPassword || code == rar::kBadPassword ? rar::kBadData : code;
}

// Makes the mode's call for the current entry and returns its result.
int processEntry(RarArchive& archive, std::int32_t mode, const QString& destinationHost,
                 const QString& entryName) {
    switch (mode) {
        case kModeExtract:
            // A destination on no drive cannot be created; the library must never fall back
            // on the entry's own name.
            if (destinationHost.isEmpty())
                return rar::kCreateError;
            return archive.processFile(RarOperation::Extract, destinationHost);
        case kModeTest:
            return archive.processFile(RarOperation::Test, entryName);
        case kModeList:
            return archive.processFile(RarOperation::Skip);
        default:
            // Nothing is done with the entry, but the library must pass over its data to
            // reach the next header.
            archive.processFile(RarOperation::Skip);
            return rar::kSuccess;
    }
}

void showComment(const RarArchive& archive) {
    if (archive.commentState() == 1)
        platform::ui().message(archive.comment(), QStringLiteral("Comment"));
}

int openArchive(RarArchive& rarArchive, const QString& archive, std::int32_t mode) {
    const QString host = platform::files().hostPath(archive);
    if (host.isEmpty())
        return rar::kOpenError;  // on a drive that does not exist
    return rarArchive.open(
        host, mode == kModeList ? platform::RarOpenMode::List : platform::RarOpenMode::Extract,
        kCommentChars);
}

void throwProcessFailure(std::int32_t code) {
    if (auto message = processMessage(code))
        throw ArchiveFailure{std::move(*message)};
}

// Makes the mode's call for every entry, processing window events before each entry and while
// its data flows: the busy state holds every command and window that could disturb the pass,
// so the windows are painted and their frames can be moved meanwhile.
void walkEntries(RarArchive& rarArchive, std::int32_t mode, const QString& destination) {
    rarArchive.onData([] { platform::clock().doEvents(); });
    const QString destinationHost =
        mode == kModeExtract ? platform::files().hostPath(destination) : QString();
    QString entryName;
    int header = rarArchive.readHeader(&entryName);
    while (header == rar::kSuccess) {
        platform::clock().doEvents();
        const int result = processEntry(rarArchive, mode, destinationHost, entryName);
        if (result != rar::kSuccess)
            throwProcessFailure(passwordAsBadData(result));
        header = rarArchive.readHeader(&entryName);
    }
    if (passwordAsBadData(header) == rar::kBadData)
        throw ArchiveFailure{QStringLiteral("File header broken")};
}

// Reports an open result that is not success: codes without an open message get the
// processing message where there is one, else nothing is shown.
bool opened(int code, const QString& archive) {
    if (code == rar::kSuccess)
        return true;
    if (auto message = openMessage(code, archive))
        throw ArchiveFailure{std::move(*message)};
    throwProcessFailure(code);
    return false;
}

}  // namespace

void RARCheckOpen(const QString& archive) {
    RarArchive rarArchive;
    try {
        opened(openArchive(rarArchive, archive, kModeList), archive);
    } catch (const ArchiveFailure& failure) {
        RARFatalError(failure.message);
    }
}

void RARExecute(const QString& destination, std::int32_t mode, const QString& archive,
                const QString& password) {
    try {
        RARExecuteOrThrow(destination, mode, archive, password);
    } catch (const ArchiveFailure& failure) {
        RARFatalError(failure.message);
    }
}

void RARExecuteOrThrow(const QString& destination, std::int32_t mode, const QString& archive,
                       const QString& password) {
    // The events that a pass processes must not start a second one.
    if (isBusyWith(BusyWork::Extraction)) {
        platform::ui().message(kPassUnderWayMessage, QStringLiteral("Error"));
        return;
    }
    BusyScope busy(BusyWork::Extraction);
    const platform::WaitCursorScope waiting;

    RarArchive rarArchive;
    if (!opened(openArchive(rarArchive, archive, mode), archive))
        return;
    if (!password.isEmpty())
        rarArchive.setPassword(password);
    showComment(rarArchive);
    walkEntries(rarArchive, mode, destination);
    rarArchive.close();
}

void RARFatalError(const QString& message) {
    platform::ui().message(message, QStringLiteral("Error"));
    platform::ui().endProgram();
    std::abort();  // not reached: the end of the program does not return
}

}  // namespace vornelix::ModuleRAR
