#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

#include "support/test_environment.h"
#include "x11_probe.h"

namespace vornelix {
namespace {

// The built program, run from a program folder of its own on a temporary drive c:.
TEST(MainWindowX11, ProgramShowsItsMainWindowTitledVornelix) {
    test::TestEnvironment env;
    const QString program = env.programHost() + "/vornelix";
    ASSERT_TRUE(QFile::copy(VORNELIX_PROGRAM_DIR "/vornelix", program));
    QFile::copy(VORNELIX_PROGRAM_DIR "/ASNMD.DAT", env.programHost() + "/ASNMD.DAT");
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("VORNELIX_DRIVES", "c=" + env.root());
    environment.insert("TMPDIR", env.root() + "/Temp");
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(env.root() + "/Current");
    process.start(program, {});
    ASSERT_TRUE(process.waitForStarted(5000));

    test::X11Probe probe;
    unsigned long window = 0;
    test::waitUntil(
        [&] {
            window = probe.windowOf(process.processId(), "Vornelix");
            return window || process.state() != QProcess::Running;
        },
        15000);
    EXPECT_NE(window, 0u) << process.readAllStandardError().toStdString();
    EXPECT_EQ(process.state(), QProcess::Running);
    process.terminate();
    if (!process.waitForFinished(5000))
        process.kill();
    process.waitForFinished(5000);
}

}  // namespace
}  // namespace vornelix
