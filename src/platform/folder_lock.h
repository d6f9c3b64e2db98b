#pragma once

#include <QString>
#include <memory>

namespace vornelix::platform {

// An exclusive lock on a host folder, held for as long as the object lives. The system drops
// it when the process ends, also when it crashes, so no stale lock is ever left behind.
class FolderLock {
  public:
    // The lock, or nullptr when another holder has it or the folder cannot be opened.
    static std::unique_ptr<FolderLock> tryAcquire(const QString& hostFolder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

  private:
    explicit FolderLock(int fd) : m_fd(fd) {}
    int m_fd;
};

}  // namespace vornelix::platform
