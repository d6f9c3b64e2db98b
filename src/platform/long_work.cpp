#include "platform/long_work.h"

#include "platform/clock.h"
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

}  // namespace vornelix::platform
