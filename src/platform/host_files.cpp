#include "platform/host_files.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include "platform/long_work.h"

namespace vornelix::platform {

namespace {

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

FileIdentity identityOfStat(const struct stat& st) {
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

}  // namespace

Descriptor::~Descriptor() {
    if (fd >= 0)
        ::close(fd);
}

QString FileIdentity::toText() const {
    return QStringLiteral("%1:%2").arg(device).arg(inode);
}

std::optional<FileIdentity> FileIdentity::fromText(const QString& text) {
    const QStringList parts = text.split(u':');
    bool deviceOk = false;
    bool inodeOk = false;
    if (parts.size() != 2)
        return std::nullopt;
    const FileIdentity identity{parts[0].toULongLong(&deviceOk), parts[1].toULongLong(&inodeOk)};
    if (!deviceOk || !inodeOk)
        return std::nullopt;
    return identity;
}

std::optional<FileIdentity> identityOfFolder(const QString& path) {
    struct stat st {};
    if (path.isEmpty() || ::stat(encoded(path).constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return std::nullopt;
    return identityOfStat(st);
}

std::optional<FileIdentity> identityOf(const QString& path) {
    struct stat st {};
    if (path.isEmpty() || ::lstat(encoded(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return identityOfStat(st);
}

std::optional<FileIdentity> identityOfOpen(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return std::nullopt;
    return identityOfStat(st);
}

bool sameName(const QString& first, const QString& second) {
    const QFileInfo a(first);
    const QFileInfo b(second);
    if (a.canonicalFilePath() == b.canonicalFilePath() && !a.canonicalFilePath().isEmpty())
        return true;
    if (a.fileName() != b.fileName())
        return false;
    const std::optional<FileIdentity> folder = identityOfFolder(a.path());
    return folder && folder == identityOfFolder(b.path());
}

bool deleteHostFile(const QString& path) {
    const QByteArray name = encoded(path);
    const auto deleted = [&] {
        if (::unlink(name.constData()) != 0)
            return false;
        syncFolderOf(path);
        return true;
    };
    return callAside(deleted, WindowEvents::All);
}

bool deleteFileOf(const QString& path, const FileIdentity& identity) {
    if (identityOf(path) != identity)
        return true;
    return deleteHostFile(path) || identityOf(path) != identity;
}

QString makeHostFolder(const QString& path) {
    const QByteArray name = encoded(path);
    const auto made = [&] {
        if (::mkdir(name.constData(), 0777) != 0)
            return false;
        syncFolderOf(path);
        return true;
    };
    if (callAside(made, WindowEvents::PaintOnly))
        return QString();
    return QString::fromLocal8Bit(strerror(errno));
}

bool removeEmptyHostFolder(const QString& path) {
    return !path.isEmpty() && ::rmdir(encoded(path).constData()) == 0;
}

int renameNoReplace(const QByteArray& from, const QByteArray& to) {
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return -1;
    // A file system without the no-replace rename: a second link, which fails on a file of
    // that name, then the first one goes.
    if (::link(from.constData(), to.constData()) == 0)
        return ::unlink(from.constData());
    if (errno != EPERM && errno != EOPNOTSUPP)
        return -1;
    // Nor hard links: a test for the name, then a plain rename.
    if (QFileInfo::exists(QFile::decodeName(to))) {
        errno = EEXIST;
        return -1;
    }
    return ::rename(from.constData(), to.constData());
}

void syncFolderOf(const QString& path) {
    const Descriptor folder{
        ::open(encoded(QFileInfo(path).path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (folder.fd >= 0)
        ::fsync(folder.fd);
}

bool writeAll(int fd, const char* data, size_t size, off_t pos) {
    while (size > 0) {
        const ssize_t put = ::pwrite(fd, data, size, pos);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        data += put;
        size -= static_cast<size_t>(put);
        pos += put;
    }
    return true;
}

}  // namespace vornelix::platform
