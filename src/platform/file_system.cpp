#include "platform/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "platform/long_work.h"

namespace vornelix::platform {

namespace {

// The file-system name of the folder's file system, as the host reports it.
QString hostFileSystemName(const QString& folder) {
    struct statfs st {};
    if (statfs(QFile::encodeName(folder).constData(), &st) != 0)
        return QString();
    switch (static_cast<unsigned long>(st.f_type)) {
        case 0xEF53:
            return "ext4";
        case 0x58465342:
            return "xfs";
        case 0x9123683E:
            return "btrfs";
        case 0xF2F52010:
            return "f2fs";
        case 0x2FC12FC1:
            return "zfs";
        case 0x4d44:
            return "FAT32";
        case 0x2011BAB0:
            return "exFAT";
        case 0x5346544e:
            return "NTFS";
        case 0x01021994:
            return "tmpfs";
        case 0x794c7630:
            return "overlay";
        case 0x9660:
            return "CDFS";
        case 0x15013346:
            return "UDF";
        default:
            return "unknown";
    }
}

// Writes the bytes under a temporary name beside the host file, flushes them, then renames
// them over it and flushes its folder.
bool writeWholeHostFile(const QString& host, const QByteArray& bytes) {
    const QByteArray name = QFile::encodeName(host);
    QByteArray temporary = name + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool written =
        writeAll(fd, bytes.constData(), static_cast<size_t>(bytes.size()), 0) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.constData(), name.constData()) != 0) {
        ::unlink(temporary.constData());
        return false;
    }
    syncFolderOf(host);
    return true;
}

std::int64_t hostFreeBytes(const QString& folder) {
    struct statvfs st {};
    if (statvfs(QFile::encodeName(folder).constData(), &st) != 0)
        return 0;
    return static_cast<std::int64_t>(st.f_bavail) * static_cast<std::int64_t>(st.f_frsize);
}

}  // namespace

FileSystem::FileSystem(DriveTable table, HostFolders folders)
    : m_table(std::move(table)), m_folders(std::move(folders)) {}

FileSystem FileSystem::fromEnvironment() {
    FileSystem files(DriveTable::fromEnvironment(),
                     {QCoreApplication::applicationDirPath(), QDir::tempPath(), QString()});
    QTextStream err(stderr);
    files.reportUnmappedProgramFolder(err);
    return files;
}

bool FileSystem::reportUnmappedProgramFolder(QTextStream& err) const {
    if (!programFolder().isEmpty())
        return false;
    err << "vornelix: VORNELIX_DRIVES maps no drive to the program folder "
        << QDir::cleanPath(m_folders.program) << Qt::endl;
    return true;
}

QString FileSystem::hostPath(const QString& windowsPath) const {
    return m_table.toHostPath(windowsPath);
}

QString FileSystem::windowsPath(const QString& hostPath) const {
    return m_table.toWindowsPath(hostPath);
}

QString FileSystem::programFolder() const {
    return windowsPath(m_folders.program);
}

QString FileSystem::tempFolder() const {
    QString path = windowsPath(m_folders.temp);
    if (!path.endsWith('\\'))
        path += '\\';
    return path;
}

QString FileSystem::currentFolder() const {
    return windowsPath(m_folders.current.isEmpty() ? QDir::currentPath() : m_folders.current);
}

DriveInfo FileSystem::drive(QChar letter) const {
    const Drive* d = m_table.find(letter);
    if (!d)
        return DriveInfo{letter.toLower(), DriveType::Unknown, QString(), false, 0};
    DriveInfo info{d->letter, d->type, QString(), d->ready, 0};
    info.ready = d->ready && QFileInfo(d->hostFolder).isDir();
    if (!info.ready)
        return info;
    info.fileSystem = d->fileSystem.isEmpty() ? hostFileSystemName(d->hostFolder) : d->fileSystem;
    info.freeBytes = hostFreeBytes(d->hostFolder);
    return info;
}

std::vector<DriveInfo> FileSystem::drives() const {
    std::vector<DriveInfo> result;
    for (const Drive& d : m_table.drives()) result.push_back(drive(d.letter));
    return result;
}

bool FileSystem::holdsLargeSparseFiles(const QString& fileSystem) {
    static const QStringList kLarge = {"ntfs", "ext2",  "ext3", "ext4",
                                       "xfs",  "btrfs", "f2fs", "zfs"};
    return kLarge.contains(fileSystem.toLower());
}

bool FileSystem::fileExists(const QString& windowsPath) const {
    const QString host = hostPath(windowsPath);
    return !host.isEmpty() && QFileInfo(host).isFile();
}

bool FileSystem::folderExists(const QString& windowsPath) const {
    const QString host = hostPath(windowsPath);
    return !host.isEmpty() && QFileInfo(host).isDir();
}

bool FileSystem::deleteFile(const QString& windowsPath) const {
    const QString host = hostPath(windowsPath);
    return !host.isEmpty() && QFile::remove(host);
}

bool FileSystem::copyFile(const QString& fromWindowsPath, const QString& toWindowsPath) const {
    const QString from = hostPath(fromWindowsPath);
    const QString to = hostPath(toWindowsPath);
    if (from.isEmpty() || to.isEmpty() || !QFileInfo(from).isFile())
        return false;
    if (QFileInfo::exists(to) && !QFile::remove(to))
        return false;
    return QFile::copy(from, to);
}

std::optional<QByteArray> FileSystem::readFile(const QString& windowsPath) const {
    const QString host = hostPath(windowsPath);
    QFile file(host);
    if (host.isEmpty() || !QFileInfo(host).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

bool FileSystem::writeFile(const QString& windowsPath, const QByteArray& bytes) const {
    const QString host = hostPath(windowsPath);
    QFile file(host);
    return !host.isEmpty() && file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size() && file.flush();
}

bool FileSystem::writeFileWhole(const QString& windowsPath, const QByteArray& bytes) const {
    const QString host = hostPath(windowsPath);
    if (host.isEmpty())
        return false;
    // A flush waits for the disk, for long when other programs write much meanwhile.
    return callAside([&] { return writeWholeHostFile(host, bytes); }, WindowEvents::PaintOnly);
}

QStringList FileSystem::namesIn(const QString& windowsFolder, QDir::Filters kinds) const {
    const QString host = hostPath(windowsFolder);
    if (host.isEmpty())
        return {};
    return QDir(host).entryList(kinds | QDir::Hidden | QDir::System, QDir::Unsorted);
}

QStringList FileSystem::fileNames(const QString& windowsFolder) const {
    return namesIn(windowsFolder, QDir::Files);
}

QStringList FileSystem::entryNames(const QString& windowsFolder) const {
    return namesIn(windowsFolder, QDir::AllEntries | QDir::NoDotAndDotDot);
}

bool FileSystem::createFolder(const QString& windowsPath) const {
    const QString host = hostPath(windowsPath);
    return !host.isEmpty() && QDir().mkdir(host);
}

bool FileSystem::removeEmptyFolder(const QString& windowsPath) const {
    return removeEmptyHostFolder(hostPath(windowsPath));
}

bool FileSystem::removeFolderTree(const QString& windowsPath) const {
    const QString host = hostPath(windowsPath);
    return !host.isEmpty() && QDir(host).removeRecursively();
}

std::optional<FileIdentity> FileSystem::fileIdentity(const QString& windowsPath) const {
    return identityOf(hostPath(windowsPath));
}

std::optional<FileIdentity> FileSystem::folderIdentity(const QString& windowsPath) const {
    return identityOfFolder(hostPath(windowsPath));
}

QString FileSystem::renameWithoutReplacing(const QString& from, const QString& to) const {
    const QString hostFrom = hostPath(from);
    const QString hostTo = hostPath(to);
    if (hostFrom.isEmpty() || hostTo.isEmpty())
        return QStringLiteral("The path lies on no drive.");
    if (renameNoReplace(QFile::encodeName(hostFrom), QFile::encodeName(hostTo)) == 0)
        return QString();
    return QString::fromLocal8Bit(std::strerror(errno));
}

HostFileMove FileSystem::fileMove(const QString& from, const QString& to) const {
    return HostFileMove(hostPath(from), hostPath(to), from, to);
}

}  // namespace vornelix::platform
