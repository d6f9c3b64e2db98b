#include "support/fake_host.h"

namespace vornelix::test {

double FakeHost::physicalMemoryBytes() {
    ++memoryQueries;
    if (memoryFailure)
        throw *memoryFailure;
    return memoryBytes;
}

}  // namespace vornelix::test
