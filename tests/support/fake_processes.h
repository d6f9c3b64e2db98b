#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <set>
#include <vector>

#include "platform/processes.h"

namespace vornelix::test {

struct StartCall {
    QString program;
    QString parameters;
    QString folder;
    platform::ShowCommand show = platform::ShowCommand::Normal;
};

// Records every start, document and end; starts succeed with kStartOk and pids from 1000 on
// unless a test sets another code.
class FakeProcesses final : public platform::Processes {
  public:
    platform::StartResult start(const QString& program, const QString& parameters,
                                const QString& folder, platform::ShowCommand show) override {
        starts.push_back({program, parameters, folder, show});
        if (code <= 32)
            return {code, 0};
        const std::int64_t pid = nextPid++;
        running.insert(pid);
        if (onStart)
            onStart(StartCall(starts.back()), pid);  // a copy: the handler may start more
        return {code, pid};
    }
    platform::StartResult startAwaited(const QString& program, const QString& parameters,
                                       const QString& folder, platform::ShowCommand show) override {
        return start(program, parameters, folder, show);
    }
    std::optional<int> waitForExit(std::int64_t pid, int) override {
        return exitStatus && running.erase(pid) ? exitStatus : std::nullopt;
    }
    platform::StartResult openDocument(const QString& target) override {
        documents << target;
        return {code, code > 32 ? nextPid++ : 0};
    }
    bool end(std::int64_t pid) override {
        if (running.erase(pid) == 0)
            return false;
        ended.push_back(pid);
        return true;
    }
    bool isRunning(std::int64_t pid) override { return running.count(pid) > 0; }
    std::optional<platform::ProcessGroup> groupOf(std::int64_t pid) override {
        if (!isRunning(pid))
            return std::nullopt;
        return platform::ProcessGroup{pid, 77, QStringLiteral("boot")};
    }
    void endGroup(const platform::ProcessGroup& group) override { endedGroups.push_back(group.id); }

    // The code of the next starts and document openings.
    int code = platform::kStartOk;
    std::int64_t nextPid = 1000;
    // The exit status that waitForExit gives a started process; nothing: it never ends.
    std::optional<int> exitStatus = 0;
    // Runs after every successful start (a test's program making its windows).
    std::function<void(const StartCall&, std::int64_t pid)> onStart;

    std::vector<StartCall> starts;
    QStringList documents;
    std::vector<std::int64_t> ended;
    std::vector<std::int64_t> endedGroups;
    std::set<std::int64_t> running;
};

}  // namespace vornelix::test
