#include "support/fake_clock.h"

#include <algorithm>

namespace vornelix::test {

class FakeTimer final : public platform::Timer {
  public:
    explicit FakeTimer(FakeClock* clock) : m_clock(clock) { clock->m_timers.push_back(this); }
    ~FakeTimer() override {
        if (!m_clock)
            return;
        auto& timers = m_clock->m_timers;
        timers.erase(std::remove(timers.begin(), timers.end(), this), timers.end());
    }
    void setInterval(int ms) override { m_interval = ms; }
    int interval() const override { return m_interval; }
    void setEnabled(bool enabled) override {
        if (enabled && !m_enabled)
            m_due = m_clock->now + m_interval;
        m_enabled = enabled;
    }
    bool isEnabled() const override { return m_enabled; }

    void detach() { m_clock = nullptr; }
    void fireIfDue(long long now) {
        if (!m_enabled || m_interval <= 0 || now < m_due)
            return;
        m_due = now + m_interval;
        fire();
    }

  private:
    FakeClock* m_clock;
    int m_interval = 0;
    bool m_enabled = false;
    long long m_due = 0;
};

FakeClock::~FakeClock() {
    for (FakeTimer* timer : m_timers) timer->detach();
}

void FakeClock::sleep(int ms) {
    sleeps.push_back(ms);
    now += ms;
    if (onStep)
        onStep("sleep", ms);
}

void FakeClock::doEvents() {
    ++doEventsCount;
    if (onStep)
        onStep("doEvents", 0);
}

void FakeClock::processPaintEvents() {
    ++paintEventsCount;
    if (onStep)
        onStep("paintEvents", 0);
}

std::unique_ptr<platform::Timer> FakeClock::createTimer() {
    return std::make_unique<FakeTimer>(this);
}

void FakeClock::advance(int ms) {
    const long long end = now + ms;
    while (now < end) {
        ++now;
        const std::vector<FakeTimer*> timers = m_timers;
        for (FakeTimer* timer : timers)
            if (std::find(m_timers.begin(), m_timers.end(), timer) != m_timers.end())
                timer->fireIfDue(now);
    }
}

}  // namespace vornelix::test
