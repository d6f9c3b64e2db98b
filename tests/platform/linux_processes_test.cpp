#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <functional>

#include "platform/companion_protocol.h"
#include "platform/linux_processes.h"
#include "support/test_environment.h"

namespace vornelix::platform {
namespace {

bool waitUntil(const std::function<bool()>& condition, int ms = 5000) {
    for (int waited = 0; waited < ms; waited += 10) {
        if (condition())
            return true;
        QThread::msleep(10);
    }
    return condition();
}

// The fields of /proc/<pid>/stat after the command: state, ppid, pgrp, session, ...
QList<QByteArray> statFields(std::int64_t pid) {
    QFile file(QString("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = file.readAll();
    return text.mid(text.lastIndexOf(')') + 2).split(' ');
}

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
        waitUntil([&] { return !env.readFile(windowsPath).isEmpty(); });
        return env.readFile(windowsPath);
    }
    void writeExecutable(const QString& windowsPath, const QByteArray& bytes, bool executable) {
        env.writeFile(windowsPath, bytes);
        QFile::Permissions p = QFile::ReadOwner | QFile::WriteOwner;
        if (executable)
            p |= QFile::ExeOwner;
        QFile::setPermissions(env.host(windowsPath), p);
    }

    test::TestEnvironment env;
    LinuxProcesses processes;

  private:
    std::vector<std::int64_t> m_started;
};

TEST_F(LinuxProcessesTest, SplitsAndMapsTheParametersAndRunsInTheWorkingFolder) {
    env.writeFile("c:\\Temp\\a b.txt", "hello");
    const StartResult r = start("cp", "\"c:\\Temp\\a b.txt\" copy.txt", "c:\\Current");
    EXPECT_TRUE(r.started());
    EXPECT_GT(r.code, 32);
    EXPECT_GT(r.pid, 0);
    EXPECT_EQ(waitForFile("c:\\Current\\copy.txt"), "hello");
}

TEST_F(LinuxProcessesTest, ProgramSeesItsWindowsStylePathTheShowCommandAndNoShell) {
    ASSERT_TRUE(QFile::copy("/bin/cp", env.host("c:\\Vornelix\\copy.exe")));
    start("c:\\Vornelix\\copy.exe", "/proc/self/cmdline c:\\Temp\\cmdline.txt", "c:\\Vornelix",
          ShowCommand::Hide);
    EXPECT_EQ(waitForFile("c:\\Temp\\cmdline.txt").split('\0').value(0), "c:\\Vornelix\\copy.exe");

    start("cp", "/proc/self/environ c:\\Temp\\environ.txt", QString(), ShowCommand::Hide);
    const QList<QByteArray> variables = waitForFile("c:\\Temp\\environ.txt").split('\0');
    EXPECT_TRUE(variables.contains(QByteArray(kShowCommandVariable) + "=0"));

    // Shell syntax is only text: nothing expands it.
    env.writeFile("c:\\Temp\\$HOME;x", "literal");
    start("cp", "c:\\Temp\\$HOME;x c:\\Temp\\out.txt");
    EXPECT_EQ(waitForFile("c:\\Temp\\out.txt"), "literal");
}

TEST_F(LinuxProcessesTest, StartedProgramIsDetached) {
    const StartResult r = start("sleep", "30");
    ASSERT_TRUE(r.started());
    const QList<QByteArray> fields = statFields(r.pid);
    ASSERT_GE(fields.size(), 4);
    EXPECT_NE(fields[1].toLongLong(), static_cast<long long>(::getpid())) << "not our child";
    EXPECT_NE(fields[3].toLongLong(), static_cast<long long>(::getsid(0)))
        << "in a session of its own";
}

TEST_F(LinuxProcessesTest, ReportsWhyAStartFailedWithTheShellCodes) {
    writeExecutable("c:\\Vornelix\\plain.exe", "#!/bin/true\n", false);
    writeExecutable("c:\\Vornelix\\noformat.exe", "not a program\n", true);
    EXPECT_EQ(start("c:\\Vornelix\\missing.exe", "").code, kStartFileNotFound);
    EXPECT_EQ(start("c:\\Nowhere\\missing.exe", "").code, kStartPathNotFound);
    EXPECT_EQ(start("q:\\Vornelix\\Vornelix.exe", "").code, kStartPathNotFound);
    EXPECT_EQ(start("no-such-program-here", "").code, kStartFileNotFound);
    EXPECT_EQ(start("c:\\Vornelix\\plain.exe", "").code, kStartAccessDenied);
    EXPECT_EQ(start("c:\\Vornelix\\noformat.exe", "").code, kStartBadFormat);
    EXPECT_EQ(start("sleep", "1", "c:\\Nowhere").code, kStartPathNotFound);
    EXPECT_EQ(start("sleep", "1", "c:\\Nowhere").pid, 0);
}

TEST_F(LinuxProcessesTest, EndsOnlyTheProcessesItStarted) {
    const StartResult r = start("sleep", "30");
    ASSERT_TRUE(r.started());
    EXPECT_TRUE(processes.isRunning(r.pid));
    EXPECT_TRUE(processes.end(r.pid));
    EXPECT_FALSE(processes.isRunning(r.pid));
    EXPECT_FALSE(processes.end(r.pid)) << "already ended";

    QProcess stranger;
    stranger.start("sleep", {"30"});
    ASSERT_TRUE(stranger.waitForStarted());
    EXPECT_FALSE(processes.end(stranger.processId()));
    EXPECT_FALSE(processes.isRunning(stranger.processId()));
    EXPECT_EQ(stranger.state(), QProcess::Running);
    stranger.kill();
    stranger.waitForFinished();
}

TEST_F(LinuxProcessesTest, OpensDocumentsWithTheDesktopHandler) {
    QDir(env.root()).mkpath("Opened");
    LinuxProcesses withOpener({"cp", "-t", env.root() + "/Opened"});
    env.writeFile("c:\\Temp\\read me.txt", "doc");
    EXPECT_TRUE(withOpener.openDocument("c:\\Temp\\read me.txt").started());
    EXPECT_TRUE(waitUntil([&] { return QFile::exists(env.root() + "/Opened/read me.txt"); }));

    EXPECT_EQ(withOpener.openDocument("c:\\Temp\\missing.doc").code, kStartFileNotFound);
    LinuxProcesses noHandler({"no-such-handler-here"});
    EXPECT_EQ(noHandler.openDocument("http://127.0.0.1/").code, kStartNoAssociation);
}

}  // namespace
}  // namespace vornelix::platform
