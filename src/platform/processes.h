#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "platform/show_command.h"

namespace vornelix::platform {

// The outcome of a start, with the codes of the Windows shell: above 32 means started.
struct StartResult {
    int code = 0;
    std::int64_t pid = 0;  // the started process; 0 when nothing was started
    bool started() const { return code > 32; }
};

// Result codes of a start.
inline constexpr int kStartOutOfMemory = 0;
inline constexpr int kStartFileNotFound = 2;
inline constexpr int kStartPathNotFound = 3;
inline constexpr int kStartAccessDenied = 5;
inline constexpr int kStartBadFormat = 11;
inline constexpr int kStartNoAssociation = 31;
inline constexpr int kStartOk = 42;

// The process group that a program of startAwaited leads, named so that a later run of this
// program can end what is left of it: its id, and the leader's start time and the system's
// boot, which tell it from a later group that was given the same id.
struct ProcessGroup {
    std::int64_t id = 0;
    unsigned long long startTime = 0;
    QString boot;
};

// Starting programs. Nothing is ever started through a shell command text; a program whose
// name ends in ".bat" is a script file that /bin/sh runs, the parameter words its arguments.
//
// Paths are Windows-style as the program keeps them and are turned into host paths here:
// the program, the working folder, and every word of the parameter text that is an absolute
// path on a drive of the table ("c:\..."). The parameter text is split into words by the
// rules of the Windows command line, so a program gets the words it would get there; a path
// with a blank that is not quoted therefore arrives as two words. The started program sees
// its own path, as given here, as its first argument (argv[0]), so a program that titles a
// window with its own full path shows the Windows-style path.
class Processes {
  public:
    virtual ~Processes() = default;

    // Starts the program detached: the caller never waits for it, it outlives the caller.
    // program: a Windows-style path, or a bare name looked up on PATH. folder: the working
    // folder, empty for the caller's. show: how its first windows appear.
    virtual StartResult start(const QString& program, const QString& parameters,
                              const QString& folder, ShowCommand show) = 0;
    // Starts the program as start() does, as a process that waitForExit can wait for; it
    // must be waited for until it has ended. It never outlives the caller: a caller that ends
    // (is killed) first takes it down with it. It leads a process group of its own, which ends
    // with it: what it started is ended when it ends or is ended.
    virtual StartResult startAwaited(const QString& program, const QString& parameters,
                                     const QString& folder, ShowCommand show) = 0;
    // Waits at most timeoutMs for a process of startAwaited to end, painting the windows
    // meanwhile. Its exit status (128 + the signal's number for one that a signal ended);
    // nothing while it still runs, and for any other process.
    virtual std::optional<int> waitForExit(std::int64_t pid, int timeoutMs) = 0;
    // Opens a document (Windows-style path) or a web address with the desktop's handler.
    // A document that does not exist gives kStartFileNotFound without starting anything.
    virtual StartResult openDocument(const QString& target) = 0;
    // Ends a process that this service started, at once. False, and nothing is done, for any
    // other process id (also an id that the system has since given to another process).
    virtual bool end(std::int64_t pid) = 0;
    // True while a process that this service started still runs.
    virtual bool isRunning(std::int64_t pid) = 0;
    // The group of a running process of startAwaited; nothing for any other process.
    virtual std::optional<ProcessGroup> groupOf(std::int64_t pid) = 0;
    // Ends what is left of a group that groupOf named, in this run or an earlier one; nothing
    // is done when the id now names another group.
    virtual void endGroup(const ProcessGroup& group) = 0;
};

// Waits until a process that the installed service started has ended, at most timeoutMs,
// in short fixed waits of the clock (windows painted, no input handled). True when it ended.
bool waitForEnd(std::int64_t pid, int timeoutMs);

// Waits for a process of startAwaited to end, at most timeoutMs, the windows taking their
// events (input among them) between short waits. Its exit status; nothing while it still runs.
std::optional<int> awaitExit(std::int64_t pid, int timeoutMs);

}  // namespace vornelix::platform
