#include "machine/companion_program.h"

#include <cstdio>
#include <cstdlib>

#include "forms/busy_state.h"
#include "forms/error_boundary.h"
#include "platform/processes.h"
#include "platform/services.h"

namespace vornelix {

namespace {

// How often the watch looks whether the embedded program still runs.
constexpr int kWatchMs = 500;

CompanionPrograms* g_programs = nullptr;

}  // namespace

CompanionPrograms::CompanionPrograms() : m_previous(g_programs) {
    g_programs = this;
}

CompanionPrograms::~CompanionPrograms() {
    if (g_programs == this)
        g_programs = m_previous;
}

CompanionPrograms& companionPrograms() {
    if (!g_programs) {
        std::fprintf(stderr, "vornelix: no companion programs are set up\n");
        std::abort();
    }
    return *g_programs;
}

bool CompanionProgram::start(const QString& program, const QString& parameters,
                             const QString& folder) {
    const platform::StartResult started =
        platform::processes().start(program, parameters, folder, platform::ShowCommand::Hide);
    m_pid = started.started() ? started.pid : 0;
    return started.started();
}

platform::WindowHandle CompanionProgram::window(const QString& className) const {
    return m_pid == 0 ? 0 : platform::windows().findWindowOfProcess(className, m_pid);
}

platform::WindowHandle CompanionProgram::waitForWindow(const QString& className, int waitMs,
                                                       int pollMs) const {
    for (int waited = 0;; waited += pollMs) {
        if (const platform::WindowHandle found = window(className))
            return found;
        if (m_pid == 0 || waited >= waitMs)
            return 0;
        platform::clock().sleep(pollMs);
    }
}

void CompanionProgram::embed(platform::WindowHandle window, platform::WindowHandle host) {
    platform::windows().setParent(window, host);
}

void CompanionProgram::end() {
    if (m_pid != 0)
        platform::processes().end(m_pid);
    m_pid = 0;
}

void CompanionProgram::watch(std::function<bool()> embedded, std::function<void()> onEnd) {
    m_watch = platform::clock().createTimer();
    m_watch->setInterval(kWatchMs);
    m_watch->onTimeout([this, embedded = std::move(embedded), onEnd = std::move(onEnd)] {
        if (embedded() && !isBusy() && !platform::processes().isRunning(m_pid))
            runHandler(ErrorPolicy::Ignore, onEnd);
    });
    m_watch->setEnabled(true);
}

void CompanionProgram::stopWatching() {
    // The watch's own handler may be the caller: the timer is switched off, not destroyed.
    if (m_watch)
        m_watch->setEnabled(false);
    m_pid = 0;
}

}  // namespace vornelix
