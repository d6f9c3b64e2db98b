#include "platform/long_work.h"

#include "platform/services.h"

namespace vornelix::platform {

void takeEvents(WindowEvents events) {
    Clock* clock = services().clock;
    if (!clock)
        return;
    if (events == WindowEvents::All)
        clock->doEvents();
    else
        clock->processPaintEvents();
}

void runAside(const std::function<void()>& work, WindowEvents events) {
    if (Clock* clock = services().clock)
        clock->runAside(work, events);
    else
        work();
}

}  // namespace vornelix::platform
