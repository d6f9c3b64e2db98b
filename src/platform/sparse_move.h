#pragma once

#include <QByteArray>
#include <QString>

namespace vornelix::platform {

// Gives the file at the host path from the name to, never replacing a file that has that
// name already: 0, or -1 with errno set.
int renameNoReplace(const QByteArray& from, const QByteArray& to);

// Moves a file to a host path where no file is yet, in steps that let the caller record the
// new place between them: place() puts the file at the new path while the old one still
// holds it, then either commit() drops the old name or undo() drops the new one. A program
// stopped before commit() leaves the file whole under its old name (save on a file system
// without hard links, see place()), and at no point a partial copy under the new name.
class HostFileMove {
  public:
    HostFileMove(QString from, QString to);
    // A move neither committed nor undone is undone.
    ~HostFileMove();
    HostFileMove(const HostFileMove&) = delete;
    HostFileMove& operator=(const HostFileMove&) = delete;

    // On the same file system the file gets a second name: a hard link, or a rename where
    // the file system has no links (there the file lies under the new name alone at once).
    // On another it is copied into an unnamed file of the new folder, or under the name
    // to + ".moving" where the file system has no unnamed files (one left there by a stopped
    // move is removed first); data regions are copied whole, holes stay holes, the windows
    // are painted after each chunk; the copy is flushed to disk and only then takes its
    // name. A file that another process holds open is not moved. Why it failed, or the empty
    // text; a failed place() leaves nothing at the new path.
    QString place();
    // The old name goes. False when it cannot be deleted (the file is then in both places).
    bool commit();
    // The file is under its old name alone again. False when it cannot be.
    bool undo();

  private:
    enum class Placement { None, Linked, Renamed, Copied };

    QString copy();

    QString m_from;
    QString m_to;
    Placement m_placement = Placement::None;
};

}  // namespace vornelix::platform
