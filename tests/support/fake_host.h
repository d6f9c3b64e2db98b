#pragma once

#include <optional>

#include "platform/host_facts.h"
#include "platform/runtime_error.h"

namespace vornelix::test {

// A host whose memory and screen the test sets; a set failure makes the memory query throw.
class FakeHost final : public platform::HostFacts {
  public:
    double physicalMemoryBytes() override {
        if (memoryFailure)
            throw *memoryFailure;
        return memoryBytes;
    }
    platform::ScreenMetrics screen() override { return screenMetrics; }

    void setMemoryMB(double mb) { memoryBytes = mb * 1024 * 1024; }

    double memoryBytes = 1024.0 * 1024 * 1024;
    std::optional<platform::RuntimeError> memoryFailure;
    platform::ScreenMetrics screenMetrics{1024 * 15, 768 * 15, 15, 15};
};

}  // namespace vornelix::test
