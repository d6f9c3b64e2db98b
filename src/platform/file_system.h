#pragma once

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/drives.h"
#include "platform/host_files.h"
#include "platform/sparse_move.h"

namespace vornelix::platform {

// What the program learns of one drive.
struct DriveInfo {
    QChar letter;  // lower case
    DriveType type = DriveType::Unknown;
    QString fileSystem;  // "NTFS", "FAT32", "ext4", ...; empty when not ready
    bool ready = false;
    std::int64_t freeBytes = 0;
};

// The host folders that stand for the program, temporary and current folder.
struct HostFolders {
    QString program;
    QString temp;
    QString current;  // empty: the process's current folder
};

// Files, folders and drives, all addressed by Windows-style paths through the drive table.
class FileSystem {
  public:
    FileSystem(DriveTable table, HostFolders folders);
    // The table of VORNELIX_DRIVES or of this host, the executable's folder and TMPDIR.
    // Says on standard error when no drive of the table holds the program folder.
    static FileSystem fromEnvironment();
    // When no drive holds the program folder, writes one line naming VORNELIX_DRIVES and
    // that folder to err and returns true.
    bool reportUnmappedProgramFolder(QTextStream& err) const;

    const DriveTable& driveTable() const { return m_table; }
    QString hostPath(const QString& windowsPath) const;
    QString windowsPath(const QString& hostPath) const;

    // The folder of the program's executable, without a trailing separator except at a root.
    QString programFolder() const;
    // The temporary folder, ending with a backslash.
    QString tempFolder() const;
    QString currentFolder() const;

    std::vector<DriveInfo> drives() const;
    DriveInfo drive(QChar letter) const;
    // File systems that hold sparse files larger than 4 GB.
    static bool holdsLargeSparseFiles(const QString& fileSystem);

    bool fileExists(const QString& windowsPath) const;
    bool folderExists(const QString& windowsPath) const;
    bool deleteFile(const QString& windowsPath) const;
    // The whole file, or nothing when it cannot be read.
    std::optional<QByteArray> readFile(const QString& windowsPath) const;
    // Creates or empties the file and writes the bytes; false when any of it fails.
    bool writeFile(const QString& windowsPath, const QByteArray& bytes) const;
    // Writes the bytes under a temporary name beside the file, forces them to the disk and
    // then gives them the file's name, replacing the file: a reader finds the old content or
    // the whole new one, even after a crash. False, and the file as it was, when it fails.
    // The windows are painted while it waits for the disk (see runAside).
    bool writeFileWhole(const QString& windowsPath, const QByteArray& bytes) const;
    // Copies a file, replacing a file of the target's name; false when it cannot.
    bool copyFile(const QString& fromWindowsPath, const QString& toWindowsPath) const;
    // The names of the files directly in the folder, hidden ones too, in the order the file
    // system gives them; empty when the folder cannot be read.
    QStringList fileNames(const QString& windowsFolder) const;
    // The names of the files and folders directly in the folder, hidden ones too.
    QStringList entryNames(const QString& windowsFolder) const;
    bool createFolder(const QString& windowsPath) const;
    // Removes the folder when it is empty; false otherwise.
    bool removeEmptyFolder(const QString& windowsPath) const;
    // Removes the folder with everything in it (links, not what they point to); false when
    // any of it stays.
    bool removeFolderTree(const QString& windowsPath) const;
    // What tells a file or folder from any other on the host while it is there: none when
    // the path lies on no drive or names no file (no folder) there (see identityOf and
    // identityOfFolder).
    std::optional<FileIdentity> fileIdentity(const QString& windowsPath) const;
    std::optional<FileIdentity> folderIdentity(const QString& windowsPath) const;
    // Gives a file another name in the same file system, never replacing a file that has the
    // new name already; why it failed, or the empty text.
    QString renameWithoutReplacing(const QString& from, const QString& to) const;
    // The move of a file to a path where no file is yet, step by step (see HostFileMove); its
    // texts name the files by the Windows-style paths.
    HostFileMove fileMove(const QString& from, const QString& to) const;

  private:
    // The names of the entries of those kinds in the folder, hidden ones included.
    QStringList namesIn(const QString& windowsFolder, QDir::Filters kinds) const;

    DriveTable m_table;
    HostFolders m_folders;
};

}  // namespace vornelix::platform
