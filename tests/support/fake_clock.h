#pragma once

#include <functional>
#include <vector>

#include "platform/clock.h"

namespace vornelix::test {

class FakeTimer;

// A clock whose waits return at once; time moves only through sleep and advance.
class FakeClock final : public platform::Clock {
  public:
    ~FakeClock() override;
    void sleep(int ms) override;
    void doEvents() override;
    void processPaintEvents() override;
    std::unique_ptr<platform::Timer> createTimer() override;

    // Moves time on and fires every enabled timer that falls due meanwhile.
    void advance(int ms);

    long long now = 0;
    std::vector<int> sleeps;
    int doEventsCount = 0;
    int paintEventsCount = 0;
    // Runs on every sleep and doEvents, for tests that watch a sequence step by step.
    std::function<void(const char* what, int ms)> onStep;

  private:
    friend class FakeTimer;
    std::vector<FakeTimer*> m_timers;
};

}  // namespace vornelix::test
