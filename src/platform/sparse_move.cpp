#include "platform/sparse_move.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <vector>

#include "platform/clock.h"
#include "platform/services.h"

namespace vornelix::platform {

namespace {

constexpr off_t kBlock = 1 << 20;

QString failure(const QString& what, const QString& path) {
    return what + " " + path + ": " + QString::fromLocal8Bit(strerror(errno));
}

// Closes the descriptor when it goes out of scope.
struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

bool isZero(const std::vector<char>& data, size_t size) {
    for (size_t i = 0; i < size; ++i)
        if (data[i] != 0)
            return false;
    return true;
}

// Copies [begin, end) of in to out, skipping whole blocks of zeros.
bool copyRange(int in, int out, off_t begin, off_t end) {
    std::vector<char> data(kBlock);
    for (off_t pos = begin; pos < end;) {
        const auto want = static_cast<size_t>(std::min(kBlock, end - pos));
        const ssize_t got = ::pread(in, data.data(), want, pos);
        if (got <= 0)
            return false;
        const auto size = static_cast<size_t>(got);
        if (!isZero(data, size) && ::pwrite(out, data.data(), size, pos) != got)
            return false;
        pos += got;
        // A large image takes a while: the windows are painted meanwhile, input waits.
        if (Clock* clock = services().clock)
            clock->processPaintEvents();
    }
    return true;
}

// Copies the data regions of in to out; the holes stay holes.
bool copyData(int in, int out, off_t size) {
    for (off_t pos = 0; pos < size;) {
        off_t data = ::lseek(in, pos, SEEK_DATA);
        if (data < 0 && errno == ENXIO)
            break;  // only a hole is left
        if (data < 0)
            data = pos;  // no hole support: copy everything, zeros still skipped
        off_t hole = ::lseek(in, data, SEEK_HOLE);
        if (hole < 0)
            hole = size;
        if (!copyRange(in, out, data, hole))
            return false;
        pos = hole;
    }
    return ::ftruncate(out, size) == 0 && ::fsync(out) == 0;
}

// Gives the file the name to, unless a file already has it.
int renameNoReplace(const QByteArray& from, const QByteArray& to) {
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return -1;
    // A file system without that rename: a hard link never replaces a file either.
    if (::link(from.constData(), to.constData()) != 0)
        return -1;
    ::unlink(from.constData());
    return 0;
}

}  // namespace

QString copyHostFileKeepingSparse(const QString& from, const QString& to) {
    if (QFileInfo::exists(to))
        return "A file is already there: " + to;
    Descriptor in{::open(QFile::encodeName(from).constData(), O_RDONLY | O_CLOEXEC)};
    struct stat st {};
    if (in.fd < 0 || ::fstat(in.fd, &st) != 0)
        return failure("Cannot read", from);
    QByteArray temporary = QFile::encodeName(to) + ".XXXXXX";
    Descriptor out{::mkstemp(temporary.data())};
    if (out.fd < 0)
        return failure("Cannot write in the folder of", to);
    const bool copied =
        copyData(in.fd, out.fd, st.st_size) && ::fchmod(out.fd, st.st_mode & 07777) == 0;
    if (!copied || renameNoReplace(temporary, QFile::encodeName(to)) != 0) {
        const QString why = failure("Cannot copy to", to);
        ::unlink(temporary.constData());
        return why;
    }
    return QString();
}

QString moveHostFileKeepingSparse(const QString& from, const QString& to) {
    if (!QFileInfo(from).isFile())
        return "No such file: " + from;
    if (renameNoReplace(QFile::encodeName(from), QFile::encodeName(to)) == 0)
        return QString();
    if (errno != EXDEV)
        return failure("Cannot move to", to);
    const QString why = copyHostFileKeepingSparse(from, to);
    if (!why.isEmpty())
        return why;
    // The copy is whole; an original that cannot be deleted only costs room.
    ::unlink(QFile::encodeName(from).constData());
    return QString();
}

}  // namespace vornelix::platform
