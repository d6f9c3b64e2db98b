#pragma once

#include <QString>

#include <functional>

#include "platform/host_files.h"

namespace vornelix::platform {

// Why a file is not moved while another process holds it open; shown: its name.
QString inUseMessage(const QString& shown);

// Puts a file at a host path where no file is yet, while its old name still holds it, telling
// the caller before the new name is given, so that the caller can record it: the caller then
// drops the old name (deleteFileOf) or the new one. A program stopped at any moment leaves the
// file whole under its old name (save on a file system without hard links, see place()), and
// at no point a partial copy under the new name.
class HostFileMove {
  public:
    // The texts that say why a step failed name the files by the host paths, or by the names
    // given as shownFrom and shownTo (the names the user knows them by).
    HostFileMove(QString from, QString to, QString shownFrom = {}, QString shownTo = {});
    HostFileMove(const HostFileMove&) = delete;
    HostFileMove& operator=(const HostFileMove&) = delete;

    // How the file came to the new path: a second name of it (Linked), its only name
    // (Renamed), a copy made now (Copied), or a file that was there (Adopted).
    enum class Placement { None, Linked, Renamed, Copied, Adopted };
    // Told the placement and the identity of the file that is about to take the new name,
    // before it takes it, or that adopt() takes; an exception it throws ends place() with
    // nothing at the new path.
    using BeforeNaming = std::function<void(Placement, const FileIdentity&)>;
    void setBeforeNaming(BeforeNaming beforeNaming) { m_beforeNaming = std::move(beforeNaming); }

    // The name under which place() copies to the host path to where the file system has no
    // unnamed files.
    static QString temporaryName(const QString& to);

    // True when another process holds the file open (a running engine on its image): moving
    // it away would leave that process working on a copy that nobody reads again.
    bool inUse() const;

    // On the same file system the file gets a second name: a hard link, or a rename where
    // the file system has no links (there the file lies under the new name alone at once).
    // On another it is copied into an unnamed file of the new folder, or under the name
    // to + ".moving" where the file system has no unnamed files (one left there by a stopped
    // move is removed first); data regions are copied whole, holes stay holes; the copy is
    // flushed to disk and only then takes its name. Each chunk and each flush runs aside while
    // the windows take all their events, and the events are processed after each chunk too
    // (see runAside). Why it failed, or the empty text; a failed place() leaves nothing at the
    // new path.
    QString place();
    // In place of place() where a file has the new name already: takes it as the placed file
    // when it is the file itself under a second name, or holds the same bytes (what a stopped
    // move leaves), comparing chunk by chunk with the events processed between chunks. A file
    // that differs or cannot be read is left alone. False when it is not taken.
    bool adopt();

  private:
    QString copy();
    void beforeNaming(Placement placement, const FileIdentity& identity) const;

    QString m_from;
    QString m_to;
    QString m_shownFrom;
    QString m_shownTo;
    Placement m_placement = Placement::None;
    BeforeNaming m_beforeNaming;
};

}  // namespace vornelix::platform
