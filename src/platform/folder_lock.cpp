#include "platform/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QFile>

namespace vornelix::platform {

std::unique_ptr<FolderLock> FolderLock::tryAcquire(const QString& hostFolder) {
    // The folder itself is locked: nothing is created in it, so a read-only folder works too.
    const int fd =
        ::open(QFile::encodeName(hostFolder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<FolderLock>(new FolderLock(fd));
}

FolderLock::~FolderLock() {
    ::close(m_fd);
}

}  // namespace vornelix::platform
