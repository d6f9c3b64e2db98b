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

// Which events the windows take while the program waits on other work.
enum class WindowEvents {
    // Painting, timers and the window system; input from the user stays queued.
    PaintOnly,
    // Input too: whoever starts the work holds off the commands that would disturb it.
    All,
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
    // Runs the work, which may wait on the disk for long, on a thread of its own while the
    // windows take their events of that kind, and returns once it is done. The work touches
    // files alone: neither the windows nor the services. A clock whose waits return at once
    // runs it right here.
    virtual void runAside(const std::function<void()>& work, WindowEvents /*events*/) { work(); }
};

}  // namespace vornelix::platform
