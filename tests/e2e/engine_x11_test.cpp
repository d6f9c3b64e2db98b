#include <gtest/gtest.h>

#include <QProcess>
#include <QWidget>
#include <QWindow>

#include "machine/engine_config.h"
#include "machine/global_variables.h"
#include "real_program.h"

namespace vornelix {
namespace {

using platform::ShowCommand;
using platform::WindowHandle;

const char* const kEngine = "c:\\Vornelix\\Vornelix.exe";

// The configuration file as the program writes it, odd blanks included.
QByteArray programConfig() {
    GlobalVariablesModule state;
    state.StartResolution = "\"800x600x32\"";
    state.RamSizeMB = 256;
    const EngineProfileRow row{QString("c:\\Vornelix_HD\\Test"),
                               QString("c:\\Images\\Install Disc.iso"),
                               QString("cdrom"),
                               {},
                               {}};
    return engineConfigBytes(
        engineConfigLines(row, {IdeSlave::InstallMedium, {}}, state, "c:\\Temp\\ifrs_gkl.tmp"));
}

using EngineX11 = test::RealProgramX11;

// The program drives the engine in profile_run_x11_test; here what only the engine shows: the
// size of its resolution, its console title and its end with the window it is embedded in.
TEST_F(EngineX11, DisplayWindowHasItsResolutionAndEndsWithItsHostWindow) {
    auto host = std::make_unique<QWidget>();
    host->resize(640, 480);
    host->show();
    test::waitUntil([&] { return host->windowHandle() && host->windowHandle()->isExposed(); });
    env.writeFile("c:\\Vornelix\\Xeminga", programConfig());
    const std::int64_t pid =
        processes.start(kEngine, "c:\\Vornelix\\Xeminga 0 0 0", "c:\\Vornelix", ShowCommand::Hide)
            .pid;
    WindowHandle display = 0;
    ASSERT_TRUE(test::waitUntil(
        [&] { return (display = windows.findWindowOfProcess("ClassVornelix", pid)) != 0; }));
    windows.setParent(display, static_cast<WindowHandle>(host->winId()));
    EXPECT_EQ(probe.geometry(display).size(), QSize(800, 600).boundedTo(probe.screenSize()));
    EXPECT_NE(windows.findWindow("ConsoleWindowClass", kEngine), 0) << "titled with its path";
    host.reset();
    EXPECT_TRUE(test::waitUntil([&] { return !processes.isRunning(pid); }));
    EXPECT_EQ(log().last(), "exit display window destroyed");
}

TEST_F(EngineX11, RefusesAMalformedConfigurationWithAMessage) {
    const QByteArray valid =
        "pci_ide0_master_image = \"c:\\x\\hdimage.img\"\r\n"
        "memory_size = 0x8000000\r\n";
    const QList<QByteArray> malformed = {
        "",
        "this line has no equals sign\r\n" + valid,
        valid + "= 1\r\n",
        valid + "two words = 1\r\n",
        "pci_ide0_master_image = \"c:\\x\\hdimage.img\r\nmemory_size = 0x8000000\r\n",
        "pci_ide0_master_image = \"c:\\x\\hdimage.img\"\r\n",
        "pci_ide0_master_image = \"c:\\x\\hdimage.img\"\r\nmemory_size = 256\r\n",
        "pci_ide0_master_image = \"\"\r\nmemory_size = 0x8000000\r\n",
    };
    const auto run = [&](const QString& path) {
        QProcess engine;
        engine.start(env.programHost() + "/Vornelix.exe", {path, "0", "0", "0"});
        EXPECT_TRUE(engine.waitForFinished(5000));
        return std::pair(engine.exitCode(), engine.readAllStandardError());
    };
    for (const QByteArray& config : malformed) {
        env.writeFile("c:\\Vornelix\\Xeminga", config);
        const auto [code, said] = run(env.host("c:\\Vornelix\\Xeminga"));
        EXPECT_EQ(code, 1) << config.toStdString();
        EXPECT_TRUE(said.contains("malformed configuration file")) << config.toStdString();
    }
    const auto [code, said] = run(env.root() + "/none");
    EXPECT_NE(code, 0);
    EXPECT_TRUE(said.contains("cannot read the configuration file"));
}

}  // namespace
}  // namespace vornelix
