#include "platform/sparse_move.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <utility>
#include <vector>

#include "platform/long_work.h"

namespace vornelix::platform {

namespace {

// Small enough that input is handled often between chunks, large enough to copy at full
// speed.
constexpr off_t kChunk = off_t{8} << 20;
// Ends the name of a copy in progress on a file system without unnamed files.
constexpr char kTemporarySuffix[] = ".moving";

QString failure(const QString& what, const QString& path, int error) {
    return what + " " + path + ": " + QString::fromLocal8Bit(strerror(error));
}

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

// True when another process holds the file open.
bool openElsewhere(const QByteArray& path) {
    struct stat file {};
    if (::stat(path.constData(), &file) != 0)
        return false;
    const QString self = QString::number(::getpid());
    const QDir proc(QStringLiteral("/proc"));
    for (const QString& pid : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (pid == self || !pid.front().isDigit())
            continue;
        const QDir fds(proc.filePath(pid + QStringLiteral("/fd")));
        for (const QString& fd :
             fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
            struct stat open {};
            if (::stat(encoded(fds.filePath(fd)).constData(), &open) == 0 &&
                open.st_dev == file.st_dev && open.st_ino == file.st_ino)
                return true;
        }
    }
    return false;
}

// Copies [begin, end) of in to out byte for byte, in the kernel while it can, else through
// memory. A chunk is copied aside, as it may wait long on a busy disk, and the events are
// processed after every chunk.
struct RangeCopier {
    int in;
    int out;
    bool inKernel = true;
    bool inSendfile = true;
    std::vector<char> buffer{};

    ssize_t chunk(off_t pos, size_t want) {
        if (inKernel) {
            off_t inPos = pos;
            off_t outPos = pos;
            const ssize_t done = ::copy_file_range(in, &inPos, out, &outPos, want, 0);
            if (done >= 0 ||
                (errno != EXDEV && errno != EINVAL && errno != EOPNOTSUPP && errno != ENOSYS))
                return done;
            inKernel = false;
        }
        // Across file systems the kernel still moves the data without a trip through memory
        // of ours; the output's offset is set for each chunk.
        if (inSendfile) {
            off_t inPos = pos;
            if (::lseek(out, pos, SEEK_SET) == pos) {
                const ssize_t done = ::sendfile(out, in, &inPos, want);
                if (done >= 0 || (errno != EINVAL && errno != ENOSYS))
                    return done;
            }
            inSendfile = false;
        }
        buffer.resize(static_cast<size_t>(kChunk));
        const ssize_t got = ::pread(in, buffer.data(), want, pos);
        if (got > 0 && !writeAll(out, buffer.data(), static_cast<size_t>(got), pos))
            return -1;
        return got;
    }

    bool copy(off_t begin, off_t end) {
        for (off_t pos = begin; pos < end;) {
            const size_t want = static_cast<size_t>(std::min(kChunk, end - pos));
            const ssize_t done = callAside([&] { return chunk(pos, want); }, WindowEvents::All);
            if (done == 0)
                errno = EIO;  // the file became shorter meanwhile
            if (done <= 0)
                return false;
            pos += done;
            takeEvents(WindowEvents::All);
        }
        return true;
    }
};

// Copies the data regions of in to out, which already has the size; the holes stay holes. A
// fully allocated file is one region, as some file systems count allocated but unwritten
// parts as holes.
bool copyData(int in, int out, const struct stat& st) {
    RangeCopier copier{in, out};
    if (st.st_blocks * 512 >= st.st_size)
        return copier.copy(0, st.st_size);
    for (off_t pos = 0; pos < st.st_size;) {
        off_t data = ::lseek(in, pos, SEEK_DATA);
        if (data < 0 && errno == ENXIO)
            break;  // only a hole is left
        if (data < 0)
            data = pos;  // no hole support: everything is data
        off_t hole = ::lseek(in, data, SEEK_HOLE);
        if (hole < 0)
            hole = st.st_size;
        if (!copier.copy(data, hole))
            return false;
        pos = hole;
    }
    return true;
}

// True when the two files hold the same bytes. Chunks are compared aside, and the events are
// processed after every chunk.
bool sameBytes(const QByteArray& first, const QByteArray& second) {
    const Descriptor a{::open(first.constData(), O_RDONLY | O_CLOEXEC)};
    const Descriptor b{::open(second.constData(), O_RDONLY | O_CLOEXEC)};
    struct stat sa {
    }, sb{};
    if (a.fd < 0 || b.fd < 0 || ::fstat(a.fd, &sa) != 0 || ::fstat(b.fd, &sb) != 0 ||
        sa.st_size != sb.st_size)
        return false;
    std::vector<char> left(static_cast<size_t>(kChunk));
    std::vector<char> right(left.size());
    for (off_t pos = 0; pos < sa.st_size; takeEvents(WindowEvents::All)) {
        const size_t want = static_cast<size_t>(std::min(kChunk, sa.st_size - pos));
        const auto same = [&] {
            return ::pread(a.fd, left.data(), want, pos) == static_cast<ssize_t>(want) &&
                   ::pread(b.fd, right.data(), want, pos) == static_cast<ssize_t>(want) &&
                   memcmp(left.data(), right.data(), want) == 0;
        };
        if (!callAside(same, WindowEvents::All))
            return false;
        pos += static_cast<off_t>(want);
    }
    return true;
}

// Flushes the folder of the host path, as syncFolderOf, while the windows take their events.
void syncFolderAside(const QString& path) {
    runAside([&] { syncFolderOf(path); }, WindowEvents::All);
}

// Gives the finished copy the name to, never replacing a file: the unnamed file by a link,
// the temporary one by a rename.
int giveName(int fd, const QByteArray& temporary, const QByteArray& to) {
    if (!temporary.isEmpty())
        return renameNoReplace(temporary, to);
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    return ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, to.constData(), AT_SYMLINK_FOLLOW);
}

}  // namespace

QString inUseMessage(const QString& shown) {
    return "The file is in use by another program: " + shown;
}

HostFileMove::HostFileMove(QString from, QString to, QString shownFrom, QString shownTo)
    : m_from(std::move(from)),
      m_to(std::move(to)),
      m_shownFrom(shownFrom.isEmpty() ? m_from : std::move(shownFrom)),
      m_shownTo(shownTo.isEmpty() ? m_to : std::move(shownTo)) {}

QString HostFileMove::temporaryName(const QString& to) {
    return to + QLatin1String(kTemporarySuffix);
}

bool HostFileMove::inUse() const {
    return openElsewhere(encoded(m_from));
}

void HostFileMove::beforeNaming(Placement placement, const FileIdentity& identity) const {
    if (m_beforeNaming)
        m_beforeNaming(placement, identity);
}

QString HostFileMove::place() {
    if (m_from.isEmpty() || m_to.isEmpty())
        return QStringLiteral("The path lies on no drive.");
    const std::optional<FileIdentity> source = identityOf(m_from);
    if (!source)
        return "No such file: " + m_shownFrom;
    const QByteArray from = encoded(m_from);
    const QByteArray to = encoded(m_to);
    // Told as a second name; where the file system has none, the name goes over instead.
    beforeNaming(Placement::Linked, *source);
    if (::link(from.constData(), to.constData()) == 0) {
        m_placement = Placement::Linked;
    } else if (errno == EXDEV) {
        const QString why = copy();
        if (!why.isEmpty())
            return why;
        m_placement = Placement::Copied;
    } else if (errno == EPERM || errno == EOPNOTSUPP) {
        beforeNaming(Placement::Renamed, *source);
        if (renameNoReplace(from, to) != 0)
            return failure("Cannot move to", m_shownTo, errno);
        m_placement = Placement::Renamed;
        syncFolderAside(m_from);
    } else {
        return failure("Cannot move to", m_shownTo, errno);
    }
    syncFolderAside(m_to);
    return QString();
}

bool HostFileMove::adopt() {
    const std::optional<FileIdentity> old = identityOf(m_from);
    const std::optional<FileIdentity> there = identityOf(m_to);
    // The same name reached twice is no second file: taking it would delete the only one.
    if (!old || !there || sameName(m_from, m_to))
        return false;
    if (old == there)
        m_placement = Placement::Linked;
    else if (sameBytes(encoded(m_from), encoded(m_to)))
        m_placement = Placement::Adopted;
    else
        return false;
    beforeNaming(m_placement, *there);
    return true;
}

QString HostFileMove::copy() {
    const Descriptor in{::open(encoded(m_from).constData(), O_RDONLY | O_CLOEXEC)};
    struct stat st {};
    if (in.fd < 0 || ::fstat(in.fd, &st) != 0)
        return failure("Cannot read", m_shownFrom, errno);
    const mode_t mode = st.st_mode & 07777;
    const QByteArray to = encoded(m_to);
    QByteArray temporary;
    Descriptor out{::open(encoded(QFileInfo(m_to).path()).constData(),
                          O_TMPFILE | O_WRONLY | O_CLOEXEC, mode)};
    if (out.fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        temporary = encoded(temporaryName(m_to));
        ::unlink(temporary.constData());  // left by a move that was stopped
        out.fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    }
    if (out.fd < 0)
        return failure("Cannot write in the folder of", m_shownTo, errno);
    ::posix_fadvise(in.fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    const bool written = ::ftruncate(out.fd, st.st_size) == 0 && copyData(in.fd, out.fd, st) &&
                         ::fchmod(out.fd, mode) == 0 &&
                         // Seconds after gigabytes were written.
                         callAside([&] { return ::fsync(out.fd); }, WindowEvents::All) == 0;
    const std::optional<FileIdentity> made = written ? identityOfOpen(out.fd) : std::nullopt;
    bool whole = made.has_value();
    try {
        if (made)
            beforeNaming(Placement::Copied, *made);
        whole = whole && giveName(out.fd, temporary, to) == 0;
    } catch (...) {
        if (!temporary.isEmpty())
            ::unlink(temporary.constData());
        throw;
    }
    const int error = errno;
    if (!whole) {
        if (!temporary.isEmpty())
            ::unlink(temporary.constData());
        return failure("Cannot copy to", m_shownTo, error);
    }
    return QString();
}

}  // namespace vornelix::platform
