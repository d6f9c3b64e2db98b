#pragma once

#include <functional>
#include <memory>

namespace vornelix::platform {

// A periodic timer as the windows use it: an interval, an enabled switch and one handler.
class Timer {
  public:
    virtual ~Timer() = default;
    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
    void onTimeout(std::function<void()> handler) { m_handler = std::move(handler); }

  protected:
    void fire() {
        if (m_handler)
            m_handler();
    }

  private:
    std::function<void()> m_handler;
};

// Fixed waits, yielding to the event loop and timers.
class Clock {
  public:
    virtual ~Clock() = default;
    // Waits; windows are repainted meanwhile, but no input from the user is handled.
    virtual void sleep(int ms) = 0;
    // Lets pending events run, then returns.
    virtual void doEvents() = 0;
    // Lets pending paint and window-system events run, but no input from the user, then
    // returns.
    virtual void processPaintEvents() = 0;
    virtual std::unique_ptr<Timer> createTimer() = 0;
};

}  // namespace vornelix::platform
