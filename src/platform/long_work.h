#pragma once

#include <errno.h>

#include <functional>

#include "platform/clock.h"

namespace vornelix::platform {

// Lets the windows take their pending events of that kind now; nothing where the program has
// no clock.
void takeEvents(WindowEvents events);
// Runs the work aside while the windows take their events of that kind (see Clock::runAside);
// where the program has no clock, right here.
void runAside(const std::function<void()>& work, WindowEvents events);
// Makes a system call aside (see runAside): its result, with errno as the call left it.
template <class Call>
auto callAside(Call call, WindowEvents events) {
    decltype(call()) result{};
    int error = 0;
    runAside(
        [&] {
            result = call();
            error = errno;
        },
        events);
    errno = error;
    return result;
}

}  // namespace vornelix::platform
