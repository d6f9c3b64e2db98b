#include "platform/detached_spawn.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

extern char** environ;

namespace vornelix::platform {

namespace {

// What the two forked processes report through the pipe: the grandchild's pid, or the step
// that failed and its errno.
struct Report {
    int kind;  // 0: pid, else a SpawnStep
    int value;
};

void report(int fd, int kind, int value) {
    const Report r{kind, value};
    ssize_t ignored = ::write(fd, &r, sizeof r);
    (void)ignored;
}

std::vector<std::string> mergedEnvironment(const std::vector<std::string>& added) {
    std::vector<std::string> result = added;
    for (char** e = environ; e && *e; ++e) {
        const char* eq = std::strchr(*e, '=');
        const size_t nameLength = eq ? static_cast<size_t>(eq - *e) : std::strlen(*e);
        bool replaced = false;
        for (const std::string& a : added)
            replaced = replaced || (a.size() > nameLength && a[nameLength] == '=' &&
                                    a.compare(0, nameLength, *e, nameLength) == 0);
        if (!replaced)
            result.emplace_back(*e);
    }
    return result;
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> result;
    for (std::string& t : texts) result.push_back(t.data());
    result.push_back(nullptr);
    return result;
}

// Closes every descriptor above the standard three but the report pipe, which closes itself
// at the exec: the program inherits nothing else of the caller's.
void closeInherited(int keep) {
    const unsigned first = 3;
    const unsigned kept = static_cast<unsigned>(keep);
    if ((kept == first || ::close_range(first, kept - 1, 0) == 0) &&
        ::close_range(kept + 1, ~0U, 0) == 0)
        return;
    const long limit = std::min(::sysconf(_SC_OPEN_MAX), 65536L);
    for (int fd = 3; fd < limit; ++fd)
        if (fd != keep)
            ::close(fd);
}

// Runs in the grandchild: only async-signal-safe calls from here on.
[[noreturn]] void execute(int fd, const char* program, const char* folder, char** argv,
                          char** envp) {
    closeInherited(fd);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    if (folder[0] != '\0' && ::chdir(folder) != 0) {
        report(fd, static_cast<int>(SpawnStep::Folder), errno);
        _exit(127);
    }
    ::execve(program, argv, envp);
    report(fd, static_cast<int>(SpawnStep::Exec), errno);
    _exit(127);
}

// Runs in the intermediate child: starts the grandchild in a new session and leaves.
[[noreturn]] void detach(int fd, const char* program, const char* folder, char** argv,
                         char** envp) {
    ::setsid();
    const pid_t pid = ::fork();
    if (pid == 0)
        execute(fd, program, folder, argv, envp);
    if (pid < 0)
        report(fd, static_cast<int>(SpawnStep::Fork), errno);
    else
        report(fd, 0, static_cast<int>(pid));
    _exit(0);
}

SpawnOutcome readReports(int fd) {
    SpawnOutcome outcome;
    Report r{};
    while (true) {
        const ssize_t n = ::read(fd, &r, sizeof r);
        if (n < 0 && errno == EINTR)
            continue;
        if (n != static_cast<ssize_t>(sizeof r))
            break;
        if (r.kind == 0) {
            outcome.pid = r.value;
        } else {
            outcome.step = static_cast<SpawnStep>(r.kind);
            outcome.error = r.value;
        }
    }
    if (outcome.step != SpawnStep::None)
        outcome.pid = 0;
    return outcome;
}

struct Prepared {
    std::vector<std::string> arguments;
    std::vector<std::string> environment;
    std::vector<char*> argv;
    std::vector<char*> envp;

    explicit Prepared(const SpawnRequest& request)
        : arguments(request.arguments),
          environment(mergedEnvironment(request.environment)),
          argv(pointers(arguments)),
          envp(pointers(environment)) {}
};

void reap(pid_t pid) {
    while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

// The child's work after the fork: it reports failures on the pipe and never returns.
using ChildBody = void (*)(int, const char*, const char*, char**, char**);

// Forks a child that runs body, and reads what it reports on the pipe until the pipe closes (at
// a successful exec). The child's pid is in `child` (0 when the fork failed).
SpawnOutcome forkReporting(const SpawnRequest& request, ChildBody body, pid_t& child) {
    Prepared p(request);
    child = 0;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return {0, SpawnStep::Fork, errno};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        body(fds[1], request.program.c_str(), request.folder.c_str(), p.argv.data(), p.envp.data());
    }
    const int forkError = errno;
    ::close(fds[1]);
    if (pid < 0) {
        ::close(fds[0]);
        return {0, SpawnStep::Fork, forkError};
    }
    child = pid;
    SpawnOutcome outcome = readReports(fds[0]);
    ::close(fds[0]);
    return outcome;
}

// The process that starts an awaited child, which the child must not outlive.
pid_t awaitingParent = 0;

[[noreturn]] void executeInOwnSession(int fd, const char* program, const char* folder, char** argv,
                                      char** envp) {
    ::setsid();
    // Killed with its parent: no child keeps working for a program that is gone. A parent
    // that ended before the request took effect is seen by the parent id.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != awaitingParent)
        _exit(127);
    execute(fd, program, folder, argv, envp);
}

}  // namespace

SpawnOutcome spawnChild(const SpawnRequest& request) {
    pid_t child = 0;
    awaitingParent = ::getpid();
    SpawnOutcome outcome = forkReporting(request, executeInOwnSession, child);
    if (child == 0)
        return outcome;
    // A failed exec reports its step first.
    if (outcome.step != SpawnStep::None) {
        reap(child);
        return outcome;
    }
    outcome.pid = child;
    return outcome;
}

SpawnOutcome spawnDetached(const SpawnRequest& request) {
    pid_t child = 0;
    SpawnOutcome outcome = forkReporting(request, detach, child);
    if (child == 0)
        return outcome;
    // The intermediate child reports the grandchild's pid, then ends.
    reap(child);
    if (outcome.step == SpawnStep::None && outcome.pid == 0)
        outcome = {0, SpawnStep::Fork, EAGAIN};
    return outcome;
}

}  // namespace vornelix::platform
