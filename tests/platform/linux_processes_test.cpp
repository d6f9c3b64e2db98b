#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include "platform/companion_protocol.h"
#include "platform/linux_processes.h"
#include "support/test_environment.h"

namespace vornelix::platform {
namespace {

class LinuxProcessesTest : public ::testing::Test {
  protected:
    void TearDown() override {
        for (std::int64_t pid : m_started) processes.end(pid);
    }
    StartResult start(const QString& program, const QString& parameters,
                      const QString& folder = QString(), ShowCommand show = ShowCommand::Normal) {
        const StartResult r = processes.start(program, parameters, folder, show);
        if (r.pid)
            m_started.push_back(r.pid);
        return r;
    }
    QByteArray waitForFile(const QString& windowsPath) {
        test::waitUntil([&] { return !env.readFile(windowsPath).isEmpty(); });
        return env.readFile(windowsPath);
    }

    test::TestEnvironment env;
    LinuxProcesses processes;

  private:
    std::vector<std::int64_t> m_started;
};

TEST_F(LinuxProcessesTest, ProgramSeesItsWindowsStylePathAndTheShowCommand) {
    ASSERT_TRUE(QFile::copy("/bin/cp", env.host("c:\\Vornelix\\copy.exe")));
    start("c:\\Vornelix\\copy.exe", "/proc/self/cmdline c:\\Temp\\cmdline.txt", "c:\\Vornelix",
          ShowCommand::Hide);
    EXPECT_EQ(waitForFile("c:\\Temp\\cmdline.txt").split('\0').value(0), "c:\\Vornelix\\copy.exe");

    start("cp", "/proc/self/environ c:\\Temp\\environ.txt", QString(), ShowCommand::Hide);
    EXPECT_TRUE(waitForFile("c:\\Temp\\environ.txt")
                    .split('\0')
                    .contains(QByteArray(kShowCommandVariable) + "=0"));
}

TEST_F(LinuxProcessesTest, StartedProgramIsDetachedAndOnlyItCanBeEnded) {
    const StartResult r = start("sleep", "30");
    ASSERT_TRUE(r.started());
    QFile stat(QString("/proc/%1/stat").arg(r.pid));
    ASSERT_TRUE(stat.open(QIODevice::ReadOnly));
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    EXPECT_NE(fields.value(1).toLongLong(), ::getpid()) << "not our child";
    EXPECT_NE(fields.value(3).toLongLong(), ::getsid(0)) << "in a session of its own";

    EXPECT_TRUE(processes.end(r.pid));
    EXPECT_FALSE(processes.isRunning(r.pid));
    EXPECT_FALSE(processes.end(r.pid)) << "already ended";

    QProcess stranger;
    stranger.start("sleep", {"30"});
    ASSERT_TRUE(stranger.waitForStarted());
    EXPECT_FALSE(processes.end(stranger.processId()));
    EXPECT_EQ(stranger.state(), QProcess::Running);
    stranger.kill();
    stranger.waitForFinished();
}

// The real HD tool's exit status when it refuses its arguments; a process that outlives the
// wait gives nothing until it is ended.
TEST_F(LinuxProcessesTest, AnAwaitedProgramGivesItsExitStatus) {
    const auto tool = processes.startAwaited(VORNELIX_PROGRAM_DIR "/VornelHD.exe", "x 3 2", "",
                                             ShowCommand::Hide);
    EXPECT_EQ(processes.waitForExit(tool.pid, 5000), 2);
    EXPECT_EQ(processes.waitForExit(tool.pid, 0), std::nullopt) << "reaped";

    const StartResult sleeper = processes.startAwaited("sleep", "30", "", ShowCommand::Hide);
    EXPECT_EQ(processes.waitForExit(sleeper.pid, 50), std::nullopt);
    EXPECT_TRUE(processes.end(sleeper.pid));
    EXPECT_EQ(processes.waitForExit(sleeper.pid, 1000), 128 + SIGKILL);
}

// A caller that is killed takes the program it awaits down with it, as it would the HD tool
// that writes a volume image.
TEST_F(LinuxProcessesTest, AnAwaitedProgramDoesNotOutliveItsCaller) {
    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);
    const pid_t caller = ::fork();
    if (caller == 0) {
        const StartResult sleeper = processes.startAwaited("sleep", "30", "", ShowCommand::Hide);
        const bool told = ::write(pipe[1], &sleeper.pid, sizeof sleeper.pid) > 0;
        ::raise(told ? SIGKILL : SIGTERM);
    }
    ::close(pipe[1]);
    std::int64_t pid = 0;
    EXPECT_EQ(::read(pipe[0], &pid, sizeof pid), static_cast<ssize_t>(sizeof pid));
    ::close(pipe[0]);
    ::waitpid(caller, nullptr, 0);
    ASSERT_GT(pid, 0);
    const auto gone = [pid] {
        QFile stat(QString("/proc/%1/stat").arg(pid));
        return !stat.open(QIODevice::ReadOnly) || stat.readAll().contains(") Z ");
    };
    EXPECT_TRUE(test::waitUntil(gone, 2000));
    if (!gone())
        ::kill(static_cast<pid_t>(pid), SIGKILL);
}

// True while the process runs (not ended, not a zombie).
bool runs(std::int64_t pid) {
    QFile stat(QString("/proc/%1/stat").arg(pid));
    return stat.open(QIODevice::ReadOnly) && !stat.readAll().contains(") Z ");
}

// An awaited program that started one of its own: how the program's run ends, in this run
// or (the caller killed) by the next run's endGroup. What it started ends with it.
enum class GroupEnd { ItExits, ItIsEnded, ItsCallerIsKilled };
class AwaitedGroup : public LinuxProcessesTest, public ::testing::WithParamInterface<GroupEnd> {};

TEST_P(AwaitedGroup, WhatTheProgramStartedEndsWithIt) {
    const QString script = QString("-c \"sleep 30 & echo $! > started.txt; %1\"")
                               .arg(GetParam() == GroupEnd::ItExits ? "exit 3" : "sleep 30");
    const auto startIt = [&] {
        const StartResult r = processes.startAwaited("sh", script, "c:\\Temp", ShowCommand::Hide);
        waitForFile("c:\\Temp\\started.txt");
        return r.pid;
    };
    if (GetParam() != GroupEnd::ItsCallerIsKilled) {
        const std::int64_t pid = startIt();
        EXPECT_TRUE(GetParam() != GroupEnd::ItIsEnded || processes.end(pid));
        EXPECT_EQ(processes.waitForExit(pid, 5000),
                  GetParam() == GroupEnd::ItExits ? 3 : 128 + SIGKILL);
    }
    const pid_t caller = GetParam() == GroupEnd::ItsCallerIsKilled ? ::fork() : -1;
    if (caller == 0) {
        const ProcessGroup g = *processes.groupOf(startIt());
        env.writeFile("c:\\Temp\\group.txt",
                      QString("%1 %2 %3").arg(g.id).arg(g.startTime).arg(g.boot).toUtf8());
        ::raise(SIGKILL);
    }
    const std::int64_t started = waitForFile("c:\\Temp\\started.txt").trimmed().toLongLong();
    if (caller > 0) {
        ::waitpid(caller, nullptr, 0);
        const QList<QByteArray> words = env.readFile("c:\\Temp\\group.txt").split(' ');
        ASSERT_EQ(words.size(), 3);
        const ProcessGroup group{words[0].toLongLong(), words[1].toULongLong(), words[2]};
        EXPECT_TRUE(runs(started)) << "outlived its killed caller";
        // A group of the same id that began later is not the one named.
        LinuxProcesses().endGroup({group.id, group.startTime + 1000000, group.boot});
        EXPECT_TRUE(runs(started));
        LinuxProcesses().endGroup(group);
    }
    EXPECT_TRUE(test::waitUntil([&] { return !runs(started); }, 2000));
    if (runs(started))
        ::kill(static_cast<pid_t>(started), SIGKILL);
}

INSTANTIATE_TEST_SUITE_P(Ends, AwaitedGroup,
                         ::testing::Values(GroupEnd::ItExits, GroupEnd::ItIsEnded,
                                           GroupEnd::ItsCallerIsKilled));

TEST_F(LinuxProcessesTest, BatchFileRunsWithTheShellInItsFolder) {
    env.writeFile("c:\\Vornelix\\report.BAT", "printf '%s|' \"$@\" > out.txt\n");
    const StartResult r = start("c:\\Vornelix\\report.BAT", "\"a b\" $HOME;x", "c:\\Vornelix");
    EXPECT_GT(r.code, 32);
    EXPECT_EQ(waitForFile("c:\\Vornelix\\out.txt"), "a b|$HOME;x|");
}

TEST_F(LinuxProcessesTest, ReportsWhyAStartFailedWithTheShellCodes) {
    env.writeFile("c:\\Vornelix\\plain.exe", "#!/bin/true\n");
    env.writeFile("c:\\Vornelix\\noformat.exe", "not a program\n");
    QFile::setPermissions(env.host("c:\\Vornelix\\noformat.exe"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const std::tuple<const char*, const char*, std::int32_t> cases[] = {
        {"c:\\Vornelix\\missing.exe", "", kStartFileNotFound},
        {"c:\\Nowhere\\missing.exe", "", kStartPathNotFound},
        {"c:\\Vornelix\\plain.exe", "", kStartAccessDenied},
        {"c:\\Vornelix\\noformat.exe", "", kStartBadFormat},
        {"sleep", "c:\\Nowhere", kStartPathNotFound},
    };
    for (const auto& [program, folder, code] : cases) {
        const StartResult r = start(program, "1", folder);
        EXPECT_EQ(r.code, code) << program;
        EXPECT_EQ(r.pid, 0) << program;
    }
}

TEST_F(LinuxProcessesTest, OpensDocumentsWithTheDesktopHandler) {
    QDir(env.root()).mkpath("Opened");
    LinuxProcesses withOpener({"cp", "-t", env.root() + "/Opened"});
    env.writeFile("c:\\Temp\\read me.txt", "doc");
    EXPECT_TRUE(withOpener.openDocument("c:\\Temp\\read me.txt").started());
    EXPECT_TRUE(test::waitUntil([&] { return QFile::exists(env.root() + "/Opened/read me.txt"); }));

    EXPECT_EQ(withOpener.openDocument("c:\\Temp\\missing.doc").code, kStartFileNotFound);
    LinuxProcesses noHandler({"no-such-handler-here"});
    EXPECT_EQ(noHandler.openDocument("http://127.0.0.1/").code, kStartNoAssociation);
}

}  // namespace
}  // namespace vornelix::platform
