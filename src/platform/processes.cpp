#include "platform/processes.h"

#include "platform/clock.h"
#include "platform/services.h"

namespace vornelix::platform {

namespace {

constexpr int kPollMs = 10;

}  // namespace

bool waitForEnd(std::int64_t pid, int timeoutMs) {
    for (int waited = 0; waited < timeoutMs; waited += kPollMs) {
        if (!processes().isRunning(pid))
            return true;
        clock().sleep(kPollMs);
    }
    return !processes().isRunning(pid);
}

}  // namespace vornelix::platform
