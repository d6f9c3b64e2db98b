#include "platform/real_clock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <cmath>
#include <future>

namespace vornelix::platform {

namespace {

class QtTimer final : public Timer {
  public:
    explicit QtTimer(const RealClock& clock) : m_clock(clock) {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { fire(); });
    }
    void setInterval(int ms) override {
        m_interval = ms;
        m_timer.setInterval(m_clock.scaled(ms));
    }
    int interval() const override { return m_interval; }
    void setEnabled(bool enabled) override {
        // A timer with interval 0 never fires, as with the window timers it stands in for.
        if (enabled && m_interval > 0) {
            if (!m_timer.isActive())
                m_timer.start();
        } else {
            m_timer.stop();
        }
        m_enabled = enabled;
    }
    bool isEnabled() const override { return m_enabled; }

  private:
    const RealClock& m_clock;
    QTimer m_timer;
    int m_interval = 0;
    bool m_enabled = false;
};

}  // namespace

RealClock::RealClock() {
    bool ok = false;
    const double scale = qEnvironmentVariable("VORNELIX_TIME_SCALE").toDouble(&ok);
    if (ok && scale > 0)
        m_scale = scale;
}

int RealClock::scaled(int ms) const {
    if (ms <= 0)
        return ms;
    return std::max(1, static_cast<int>(std::lround(ms * m_scale)));
}

void RealClock::sleep(int ms) {
    // The windows are painted and the window system answered meanwhile; input from the user
    // stays queued until the wait is over.
    QEventLoop wait;
    QTimer::singleShot(std::max(0, scaled(ms)), Qt::PreciseTimer, &wait, &QEventLoop::quit);
    wait.exec(QEventLoop::ExcludeUserInputEvents);
}

void RealClock::doEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void RealClock::processPaintEvents() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

std::unique_ptr<Timer> RealClock::createTimer() {
    return std::make_unique<QtTimer>(*this);
}

void RealClock::runAside(const std::function<void()>& work, WindowEvents events) {
    QEventLoop wait;
    // The loop ends once the work has, even when the work throws; should a handler of the
    // loop throw instead, the future waits for the work before anything it uses goes.
    std::future<void> done = std::async(std::launch::async, [&wait, &work] {
        const struct Ending {
            QEventLoop& loop;
            ~Ending() { QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection); }
        } ending{wait};
        work();
    });
    wait.exec(events == WindowEvents::All ? QEventLoop::AllEvents
                                          : QEventLoop::ExcludeUserInputEvents);
    done.get();
}

}  // namespace vornelix::platform
