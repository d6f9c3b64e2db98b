#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include "x11_top_level.h"

namespace vornelix {
namespace {

// The built program in a program folder of its own on a temporary drive c:.
class ProgramRun {
  public:
    ProgramRun() {
        for (const char* folder : {"c/Vornelix", "c/Temp", "c/Current"})
            QDir(m_dir.path()).mkpath(folder);
        for (const char* file : {"vornelix", "ASNMD.DAT"}) {
            const QString from = QStringLiteral(VORNELIX_PROGRAM_DIR "/") + file;
            if (QFile::exists(from))
                QFile::copy(from, programFolder() + "/" + file);
        }
    }
    ~ProgramRun() {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    QString programFolder() const { return m_dir.path() + "/c/Vornelix"; }

    bool start() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "xcb");
        environment.insert("VORNELIX_DRIVES", "c=" + m_dir.path() + "/c");
        environment.insert("TMPDIR", m_dir.path() + "/c/Temp");
        m_process.setProcessEnvironment(environment);
        m_process.setWorkingDirectory(m_dir.path() + "/c/Current");
        m_process.start(programFolder() + "/vornelix", {});
        return m_process.waitForStarted(5000);
    }

    // The program's own top-level window with the title, or 0 after the time-out.
    unsigned long waitForWindow(const QString& title, int timeoutMs) {
        QElapsedTimer elapsed;
        elapsed.start();
        while (elapsed.elapsed() < timeoutMs && m_process.state() == QProcess::Running) {
            for (unsigned long window : test::findWindowsByTitle(title))
                if (test::windowProcessId(window) == m_process.processId())
                    return window;
            QThread::msleep(100);
        }
        return 0;
    }

    QProcess& process() { return m_process; }

  private:
    QTemporaryDir m_dir;
    QProcess m_process;
};

TEST(MainWindowX11, ProgramShowsItsMainWindowTitledVornelix) {
    ProgramRun run;
    ASSERT_TRUE(QFile::exists(run.programFolder() + "/vornelix"));
    ASSERT_TRUE(run.start());
    const unsigned long window = run.waitForWindow("Vornelix", 15000);
    EXPECT_NE(window, 0u) << run.process().readAllStandardError().toStdString();
    EXPECT_EQ(run.process().state(), QProcess::Running);
}

}  // namespace
}  // namespace vornelix
