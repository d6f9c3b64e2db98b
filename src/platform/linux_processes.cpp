#include "platform/linux_processes.h"

#include <signal.h>
#include <sys/wait.h>

#include <cerrno>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>
#include <optional>
#include <vector>

#include "platform/clock.h"
#include "platform/command_line.h"
#include "platform/companion_protocol.h"
#include "platform/detached_spawn.h"
#include "platform/file_system.h"
#include "platform/services.h"

namespace vornelix::platform {

namespace {

const QString kBatchShell = QStringLiteral("/bin/sh");
constexpr unsigned long kExitPollMs = 20;

bool hasDrive(const QString& path) {
    return path.size() >= 2 && path[0].isLetter() && path[1] == ':';
}

// The host path of a Windows-style path; empty when its drive is not in the table.
QString mapped(const QString& path) {
    return hasDrive(path) ? files().hostPath(path) : path;
}

// The program's host path, or the start's error code.
std::optional<QString> resolveProgram(const QString& program, int& code) {
    const bool isPath = hasDrive(program) || program.contains('/');
    const QString host = isPath ? mapped(program) : QStandardPaths::findExecutable(program);
    if (host.isEmpty()) {
        code = hasDrive(program) ? kStartPathNotFound : kStartFileNotFound;
        return std::nullopt;
    }
    if (!QFileInfo::exists(host)) {
        code = QFileInfo(host).dir().exists() ? kStartFileNotFound : kStartPathNotFound;
        return std::nullopt;
    }
    return host;
}

int codeOf(const SpawnOutcome& outcome) {
    switch (outcome.step) {
        case SpawnStep::None:
            return kStartOk;
        case SpawnStep::Fork:
            return kStartOutOfMemory;
        case SpawnStep::Folder:
            return kStartPathNotFound;
        case SpawnStep::Exec:
            break;
    }
    switch (outcome.error) {
        case ENOENT:
            return kStartFileNotFound;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
            return kStartPathNotFound;
        case ENOEXEC:
            return kStartBadFormat;
        case ENOMEM:
        case EAGAIN:
            return kStartOutOfMemory;
        default:
            return kStartAccessDenied;
    }
}

std::string encoded(const QString& text) {
    return QFile::encodeName(text).toStdString();
}

// What /proc tells of a process.
struct ProcessStat {
    char state = 0;
    std::int64_t group = 0;
    unsigned long long startTime = 0;  // since the system's boot
};

// The process's stat from /proc; nothing when there is no such process.
std::optional<ProcessStat> processStat(const QString& pid) {
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray text = file.readAll();
    const qsizetype close = text.lastIndexOf(')');
    if (close < 0)
        return std::nullopt;
    const QList<QByteArray> fields = text.mid(close + 2).split(' ');
    // After the command come the state (field 3), the group (field 5) and, as field 22, the
    // start time.
    if (fields.size() < 20 || fields[0].isEmpty())
        return std::nullopt;
    return ProcessStat{fields[0][0], fields[2].toLongLong(), fields[19].toULongLong()};
}

std::optional<ProcessStat> processStat(std::int64_t pid) {
    return processStat(QString::number(pid));
}

bool isAlive(const ProcessStat& stat) {
    return stat.state != 'Z' && stat.state != 'X';
}

QString bootId() {
    QFile file(QStringLiteral("/proc/sys/kernel/random/boot_id"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll().trimmed())
                                          : QString();
}

// The live processes of the group.
std::vector<std::pair<std::int64_t, ProcessStat>> membersOf(std::int64_t group) {
    std::vector<std::pair<std::int64_t, ProcessStat>> members;
    for (const QString& name : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const std::int64_t pid = name.toLongLong(&number);
        if (!number)
            continue;
        const std::optional<ProcessStat> stat = processStat(name);
        if (stat && stat->group == group && isAlive(*stat))
            members.emplace_back(pid, *stat);
    }
    return members;
}

// Ends the group that the awaited child leads; the child, not yet reaped, keeps its id from
// being given to another group meanwhile.
void endGroupOfChild(std::int64_t pid) {
    ::kill(static_cast<pid_t>(-pid), SIGKILL);
}

}  // namespace

QString hostArgument(const QString& word) {
    if (word.size() < 3 || !hasDrive(word) || (word[2] != '\\' && word[2] != '/'))
        return word;
    const QString host = files().hostPath(word);
    return host.isEmpty() ? word : host;
}

LinuxProcesses::LinuxProcesses(QStringList opener) : m_opener(std::move(opener)) {}

StartResult LinuxProcesses::start(const QString& program, const QString& parameters,
                                  const QString& folder, ShowCommand show) {
    return prepared(program, parameters, folder, show, false);
}

StartResult LinuxProcesses::startAwaited(const QString& program, const QString& parameters,
                                         const QString& folder, ShowCommand show) {
    return prepared(program, parameters, folder, show, true);
}

std::optional<int> LinuxProcesses::waitForExit(std::int64_t pid, int timeoutMs) {
    if (m_children.count(pid) == 0)
        return std::nullopt;
    QElapsedTimer waited;
    waited.start();
    while (true) {
        siginfo_t info{};
        const int done =
            ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT);
        if ((done == 0 && info.si_pid == pid) || (done < 0 && errno != EINTR)) {
            if (done == 0)
                endGroupOfChild(pid);
            int status = 0;
            const pid_t reaped = ::waitpid(static_cast<pid_t>(pid), &status, 0);
            m_children.erase(pid);
            m_started.erase(pid);
            if (reaped != pid)
                return std::nullopt;
            return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
        }
        if (waited.elapsed() >= timeoutMs)
            return std::nullopt;
        clock().processPaintEvents();
        QThread::msleep(kExitPollMs);
    }
}

StartResult LinuxProcesses::prepared(const QString& program, const QString& parameters,
                                     const QString& folder, ShowCommand show, bool awaited) {
    int code = 0;
    const std::optional<QString> host = resolveProgram(program, code);
    if (!host)
        return {code, 0};
    const QString hostFolder = folder.isEmpty() ? QString() : mapped(folder);
    if (!folder.isEmpty() && (hostFolder.isEmpty() || !QFileInfo(hostFolder).isDir()))
        return {kStartPathNotFound, 0};
    QStringList words;
    for (const QString& word : splitWindowsCommandLine(parameters)) words << hostArgument(word);
    // A batch file is a script for the system's own shell, which gets it as a file to run.
    if (host->endsWith(QStringLiteral(".bat"), Qt::CaseInsensitive))
        return spawn(kBatchShell, QStringList{kBatchShell, *host} + words, hostFolder, show,
                     awaited);
    return spawn(*host, QStringList{program} + words, hostFolder, show, awaited);
}

StartResult LinuxProcesses::openDocument(const QString& target) {
    QString hostTarget = target;
    if (hasDrive(target)) {
        hostTarget = files().hostPath(target);
        if (hostTarget.isEmpty() || !QFileInfo::exists(hostTarget))
            return {kStartFileNotFound, 0};
    }
    if (m_opener.isEmpty())
        return {kStartNoAssociation, 0};
    int code = 0;
    const std::optional<QString> host = resolveProgram(m_opener.first(), code);
    if (!host)
        return {kStartNoAssociation, 0};
    return spawn(*host, QStringList(m_opener) << hostTarget, QString(), ShowCommand::Normal);
}

StartResult LinuxProcesses::spawn(const QString& hostProgram, const QStringList& arguments,
                                  const QString& hostFolder, ShowCommand show, bool awaited) {
    SpawnRequest request;
    request.program = encoded(hostProgram);
    for (const QString& a : arguments) request.arguments.push_back(encoded(a));
    request.folder = encoded(hostFolder);
    request.environment.push_back(std::string(kShowCommandVariable) + "=" +
                                  std::to_string(static_cast<int>(show)));
    const SpawnOutcome outcome = awaited ? spawnChild(request) : spawnDetached(request);
    const int code = codeOf(outcome);
    if (code != kStartOk)
        return {code, 0};
    if (awaited)
        m_children.insert(outcome.pid);
    if (const auto stat = processStat(outcome.pid))
        m_started[outcome.pid] = stat->startTime;
    return {code, outcome.pid};
}

bool LinuxProcesses::isRunning(std::int64_t pid) {
    const auto known = m_started.find(pid);
    if (known == m_started.end())
        return false;
    const auto stat = processStat(pid);
    const bool running = stat && isAlive(*stat) && stat->startTime == known->second;
    if (!running)
        m_started.erase(known);
    return running;
}

bool LinuxProcesses::end(std::int64_t pid) {
    if (!isRunning(pid))
        return false;
    if (m_children.count(pid) > 0)
        endGroupOfChild(pid);
    ::kill(static_cast<pid_t>(pid), SIGKILL);
    // The kill is delivered at once; give the system a moment to take the process down, so
    // that callers see it gone.
    for (int i = 0; i < 100 && isRunning(pid); ++i) QThread::msleep(10);
    m_started.erase(pid);
    return true;
}

std::optional<ProcessGroup> LinuxProcesses::groupOf(std::int64_t pid) {
    const std::optional<ProcessStat> stat = processStat(pid);
    if (m_children.count(pid) == 0 || !stat || stat->group != pid)
        return std::nullopt;
    return ProcessGroup{pid, stat->startTime, bootId()};
}

void LinuxProcesses::endGroup(const ProcessGroup& group) {
    // After a restart of the system nothing of that group is left.
    if (group.id <= 1 || group.boot.isEmpty() || group.boot != bootId())
        return;
    const auto members = membersOf(group.id);
    // Every member of the named group started after its leader, and a leader that still
    // runs is the one named. A later group given the same id fails one of these tests
    // unless it began after the named one had ended entirely.
    for (const auto& [pid, stat] : members)
        if (stat.startTime < group.startTime ||
            (pid == group.id && stat.startTime != group.startTime))
            return;
    if (!members.empty())
        ::kill(static_cast<pid_t>(-group.id), SIGKILL);
}

}  // namespace vornelix::platform
