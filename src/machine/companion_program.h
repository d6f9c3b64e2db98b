#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/clock.h"
#include "platform/window_system.h"

namespace vornelix {

// A program shipped beside this one whose window is shown inside one of ours (the engine, the
// share-drive program): started hidden, its window found by its process and re-parented, and
// its end noticed while it is embedded.
class CompanionProgram {
  public:
    // Starts the program hidden, detached; false when it did not start.
    bool start(const QString& program, const QString& parameters, const QString& folder);
    // The window of the class (empty: any class) that the started process made; 0 when there is
    // none or nothing was started.
    platform::WindowHandle window(const QString& className) const;
    // The same, looked for at once and then every pollMs until waitMs have passed, the windows
    // painted meanwhile.
    platform::WindowHandle waitForWindow(const QString& className, int waitMs, int pollMs) const;
    // Makes the window a child of host, keeping its position.
    void embed(platform::WindowHandle window, platform::WindowHandle host);
    // Ends the started process: one whose window was not embedded could never be closed.
    void end();

    // While embedded() holds and no work is under way, looks twice a second whether the process
    // still runs; when it has ended, runs onEnd through the error boundary, errors ignored.
    void watch(std::function<bool()> embedded, std::function<void()> onEnd);
    // Stops the watch and lets the process go; onEnd may call it.
    void stopWatching();

  private:
    std::int64_t m_pid = 0;
    std::unique_ptr<platform::Timer> m_watch;
};

// The companion programs of one run, owned in one place: the start-up makes them before the
// first window and they go, their watches with them, before the clock and the application do.
// The one made last and still alive is the one in use.
class CompanionPrograms {
  public:
    CompanionPrograms();
    ~CompanionPrograms();
    CompanionPrograms(const CompanionPrograms&) = delete;
    CompanionPrograms& operator=(const CompanionPrograms&) = delete;

    CompanionProgram engine;
    CompanionProgram shareDrive;

  private:
    CompanionPrograms* m_previous;
};

// The companion programs in use; the program ends with a message on stderr when there are none.
CompanionPrograms& companionPrograms();

}  // namespace vornelix
