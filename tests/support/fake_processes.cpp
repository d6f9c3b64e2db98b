#include "support/fake_processes.h"

namespace vornelix::test {

platform::StartResult FakeProcesses::start(const QString& program, const QString& parameters,
                                           const QString& folder, platform::ShowCommand show) {
    const StartCall call{program, parameters, folder, show};
    starts.push_back(call);
    if (code <= 32)
        return {code, 0};
    const std::int64_t pid = nextPid++;
    running.insert(pid);
    if (onStart)
        onStart(call, pid);
    return {code, pid};
}

platform::StartResult FakeProcesses::openDocument(const QString& target) {
    documents << target;
    return {code, code > 32 ? nextPid++ : 0};
}

bool FakeProcesses::end(std::int64_t pid) {
    if (running.erase(pid) == 0)
        return false;
    ended.push_back(pid);
    return true;
}

bool FakeProcesses::isRunning(std::int64_t pid) {
    return running.count(pid) > 0;
}

}  // namespace vornelix::test
