#include <gtest/gtest.h>
#include <unistd.h>

#include <QTimer>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <utility>

#include "platform/long_work.h"
#include "platform/real_clock.h"
#include "platform/services.h"

namespace vornelix::platform {
namespace {

using namespace std::chrono_literals;

// The real clock in the services for one test; the clock before it is put back after.
class WorkAside : public ::testing::TestWithParam<WindowEvents> {
  protected:
    WorkAside() : m_saved(std::exchange(services().clock, &m_clock)) {}
    ~WorkAside() override { services().clock = m_saved; }

  private:
    RealClock m_clock{1.0};
    Clock* m_saved;
};

// A timer falls due and fires while the work, on a thread of its own, waits for it.
TEST_P(WorkAside, TimersFireWhileTheWorkRunsOnAThreadOfItsOwn) {
    std::atomic<bool> fired = false;
    QTimer::singleShot(5, [&] { fired = true; });
    std::thread::id worker;
    bool firedMeanwhile = false;
    runAside(
        [&] {
            worker = std::this_thread::get_id();
            for (int waited = 0; waited < 5000 && !fired; ++waited)
                std::this_thread::sleep_for(1ms);
            firedMeanwhile = fired;
        },
        GetParam());
    EXPECT_NE(worker, std::this_thread::get_id());
    EXPECT_TRUE(firedMeanwhile);
}

// A system call made aside gives its result and its errno to the caller; what the work throws
// reaches the caller as well.
TEST_P(WorkAside, ResultErrnoAndExceptionsReachTheCaller) {
    errno = 0;
    EXPECT_EQ(callAside([] { return ::unlink("/vornelix-missing/file"); }, GetParam()), -1);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_THROW(runAside([] { throw std::runtime_error("disk"); }, GetParam()),
                 std::runtime_error);
}

INSTANTIATE_TEST_SUITE_P(Events, WorkAside,
                         ::testing::Values(WindowEvents::PaintOnly, WindowEvents::All));

// A program without a clock has no windows to keep going: the work runs right here.
TEST(WorkAsideWithoutClock, RunsHere) {
    Clock* saved = std::exchange(services().clock, nullptr);
    std::thread::id worker;
    runAside([&] { worker = std::this_thread::get_id(); }, WindowEvents::All);
    services().clock = saved;
    EXPECT_EQ(worker, std::this_thread::get_id());
}

}  // namespace
}  // namespace vornelix::platform
