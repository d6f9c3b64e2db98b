#pragma once

#include <QStringList>
#include <map>
#include <set>

#include "platform/processes.h"

namespace vornelix::platform {

// Processes on Linux: fork and exec without a shell, detached in a session of their own.
// Paths are mapped through the drive table of the installed file service (files()).
class LinuxProcesses final : public Processes {
  public:
    // opener: the desktop's handler for documents and web addresses, with any leading
    // arguments; the target follows as one more argument.
    explicit LinuxProcesses(QStringList opener = {QStringLiteral("xdg-open")});

    StartResult start(const QString& program, const QString& parameters, const QString& folder,
                      ShowCommand show) override;
    StartResult startAwaited(const QString& program, const QString& parameters,
                             const QString& folder, ShowCommand show) override;
    std::optional<int> waitForExit(std::int64_t pid, int timeoutMs) override;
    StartResult openDocument(const QString& target) override;
    bool end(std::int64_t pid) override;
    bool isRunning(std::int64_t pid) override;
    std::optional<ProcessGroup> groupOf(std::int64_t pid) override;
    void endGroup(const ProcessGroup& group) override;

  private:
    StartResult prepared(const QString& program, const QString& parameters, const QString& folder,
                         ShowCommand show, bool awaited);
    StartResult spawn(const QString& hostProgram, const QStringList& arguments,
                      const QString& hostFolder, ShowCommand show, bool awaited = false);

    QStringList m_opener;
    // Every process started here, with the time the system started it, which tells it from a
    // later process that was given the same id.
    std::map<std::int64_t, unsigned long long> m_started;
    // The processes of startAwaited that have not been reaped yet.
    std::set<std::int64_t> m_children;
};

// The host path of a word that is an absolute Windows-style path on a drive of the table
// ("c:\x" or "c:/x"), else the word unchanged.
QString hostArgument(const QString& word);

}  // namespace vornelix::platform
