#pragma once

#include "platform/clock.h"

namespace vornelix::platform {

// Waits for real. VORNELIX_TIME_SCALE (for instance 0.05) shortens every wait and timer
// interval by that factor, so that end-to-end runs need not last as long as a user's.
class RealClock final : public Clock {
  public:
    RealClock();
    explicit RealClock(double scale) : m_scale(scale) {}

    void sleep(int ms) override;
    void doEvents() override;
    void processPaintEvents() override;
    std::unique_ptr<Timer> createTimer() override;
    void runAside(const std::function<void()>& work, WindowEvents events) override;

    int scaled(int ms) const;

  private:
    double m_scale = 1.0;
};

}  // namespace vornelix::platform
