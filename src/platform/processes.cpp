#include "platform/processes.h"

#include "platform/clock.h"
#include "platform/services.h"

namespace vornelix::platform {

namespace {

constexpr int kPollMs = 10;
// Short enough that a click during the wait is answered at once.
constexpr int kInputPollMs = 50;

}  // namespace

bool waitForEnd(std::int64_t pid, int timeoutMs) {
    for (int waited = 0; waited < timeoutMs; waited += kPollMs) {
        if (!processes().isRunning(pid))
            return true;
        clock().sleep(kPollMs);
    }
    return !processes().isRunning(pid);
}

std::optional<int> awaitExit(std::int64_t pid, int timeoutMs) {
    for (int waited = 0;; waited += kInputPollMs) {
        if (const std::optional<int> status = processes().waitForExit(pid, 0))
            return status;
        if (waited >= timeoutMs)
            return std::nullopt;
        clock().doEvents();
        clock().sleep(kInputPollMs);
    }
}

}  // namespace vornelix::platform
