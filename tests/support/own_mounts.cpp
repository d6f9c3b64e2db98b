#include "support/own_mounts.h"

#include <sched.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QFile>
#include <string>

namespace vornelix::test {

namespace {

bool put(const char* file, const std::string& text) {
    QFile f(file);
    return f.open(QIODevice::WriteOnly) && f.write(text.c_str()) > 0;
}

// This (single-threaded, child) process becomes root of a user namespace of its own with a
// mount namespace of its own.
bool enterOwnMounts() {
    // Read before the new namespace, in which they are unmapped until the maps are written.
    const std::string uid = std::to_string(::getuid());
    const std::string gid = std::to_string(::getgid());
    return ::unshare(CLONE_NEWUSER | CLONE_NEWNS) == 0 && put("/proc/self/setgroups", "deny") &&
           put("/proc/self/uid_map", "0 " + uid + " 1") &&
           put("/proc/self/gid_map", "0 " + gid + " 1");
}

}  // namespace

int inOwnMounts(const std::function<bool()>& mount, const std::function<bool()>& check) {
    const pid_t child = ::fork();
    if (child == 0) {
        const bool mounted = enterOwnMounts() && mount();
        ::_exit(!mounted ? kMountsNotAllowed : check() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool bindReadOnly(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder);
    // The flags of statvfs have the values of the mount flags.
    struct statvfs st {};
    const unsigned long keep = ::statvfs(path.constData(), &st) != 0
                                   ? 0
                                   : st.f_flag & (MS_NOSUID | MS_NODEV | MS_NOEXEC | MS_NOATIME |
                                                  MS_NODIRATIME | MS_RELATIME);
    return ::mount(path.constData(), path.constData(), nullptr, MS_BIND, nullptr) == 0 &&
           ::mount(nullptr, path.constData(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY | keep,
                   nullptr) == 0;
}

bool mountSmallFileSystem(const QString& folder, bool readOnly) {
    return ::mount("none", QFile::encodeName(folder).constData(), "tmpfs", readOnly ? MS_RDONLY : 0,
                   "size=64k") == 0;
}

}  // namespace vornelix::test
