#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include "x11_probe.h"

namespace vornelix {
namespace {

// The built program, run from a program folder of its own on a temporary drive c:.
TEST(MainWindowX11, ProgramShowsItsMainWindowTitledVornelix) {
    QTemporaryDir dir;
    const QString c = dir.path() + "/c";
    for (const char* folder : {"Vornelix", "Temp", "Current"}) QDir(c).mkpath(folder);
    ASSERT_TRUE(QFile::copy(VORNELIX_PROGRAM_DIR "/vornelix", c + "/Vornelix/vornelix"));
    QFile::copy(VORNELIX_PROGRAM_DIR "/ASNMD.DAT", c + "/Vornelix/ASNMD.DAT");
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("VORNELIX_DRIVES", "c=" + c);
    environment.insert("TMPDIR", c + "/Temp");
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(c + "/Current");
    program.start(c + "/Vornelix/vornelix", {});
    ASSERT_TRUE(program.waitForStarted(5000));

    test::X11Probe probe;
    unsigned long window = 0;
    for (int waited = 0; !window && waited < 15000 && program.state() == QProcess::Running;
         waited += 100) {
        QThread::msleep(100);
        window = probe.windowOf(program.processId(), "Vornelix");
    }
    EXPECT_NE(window, 0u) << program.readAllStandardError().toStdString();
    EXPECT_EQ(program.state(), QProcess::Running);
    program.terminate();
    if (!program.waitForFinished(5000))
        program.kill();
    program.waitForFinished(5000);
}

}  // namespace
}  // namespace vornelix
