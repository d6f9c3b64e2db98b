#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QWidget>
#include <QWindow>
#include <memory>

#include "machine/engine_config.h"
#include "machine/global_variables.h"
#include "platform/linux_processes.h"
#include "platform/x11_window_system.h"
#include "support/test_environment.h"
#include "x11_probe.h"

namespace vornelix {
namespace {

using platform::ShowCommand;
using platform::WindowHandle;

constexpr std::uint32_t kWmKeyDown = 0x0100;
constexpr std::uint32_t kWmLButtonUp = 0x0202;
constexpr std::int32_t kToggle = 0xFFF1;
constexpr std::int32_t kValue = 0x3FFFFF;

const char* const kEngine = "c:\\Vornelix\\Vornelix.exe";
const char* const kParameters = "c:\\Vornelix\\Xeminga 0 0 0";

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

// The engine built beside the program, copied into the test's program folder c:\Vornelix,
// started through the real process service and looked at through the real window system.
class EngineX11Test : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(windows.connected() && probe.connected()) << "needs an X display";
        ASSERT_TRUE(
            QFile::copy(VORNELIX_PROGRAM_DIR "/Vornelix.exe", env.programHost() + "/Vornelix.exe"));
        platform::services().windows = &windows;
        platform::services().processes = &processes;
        m_log = env.root() + "/engine.log";
        qputenv("VORNELIX_ENGINE_LOG", m_log.toLocal8Bit());
    }
    void TearDown() override {
        processes.end(pid);
        qunsetenv("VORNELIX_ENGINE_LOG");
    }

    // Starts the engine hidden, as the program does, and embeds its display window, found by
    // the process, at (0, -50) in a shown native Qt window.
    WindowHandle startEmbedded() {
        host = std::make_unique<QWidget>();
        host->resize(640, 480);
        host->show();
        test::waitUntil([&] { return host->windowHandle() && host->windowHandle()->isExposed(); });
        env.writeFile("c:\\Vornelix\\Xeminga", programConfig());
        pid = processes.start(kEngine, kParameters, "c:\\Vornelix", ShowCommand::Hide).pid;
        WindowHandle display = 0;
        test::waitUntil(
            [&] { return (display = windows.findWindowOfProcess("ClassVornelix", pid)) != 0; });
        windows.setParent(display, static_cast<WindowHandle>(host->winId()));
        windows.setPosition(display, 0, -50);
        windows.show(display, ShowCommand::Normal);
        return display;
    }
    QStringList log() const {
        QFile file(m_log);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLocal8Bit(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }
    bool waitForLog(const QString& line) {
        return test::waitUntil([&] { return log().contains(line); });
    }
    test::TestEnvironment env;
    platform::X11WindowSystem windows;
    platform::LinuxProcesses processes;
    test::X11Probe probe;
    std::unique_ptr<QWidget> host;
    std::int64_t pid = 0;

  private:
    QString m_log;
};

// Embedding, focus and the host-window message are checked through the program in
// profile_run_x11_test; here what only the engine shows: its size, the screen it fills and the
// pointer it grabs.
TEST_F(EngineX11Test, DisplayWindowHasItsResolutionAndTogglesFullScreenAndMouseGrab) {
    const WindowHandle display = startEmbedded();
    ASSERT_NE(display, 0);
    EXPECT_EQ(probe.geometry(display).size(), QSize(800, 600).boundedTo(probe.screenSize()));
    EXPECT_NE(windows.findWindow("ConsoleWindowClass", kEngine), 0) << "titled with its path";

    windows.sendMessage(display, kWmKeyDown, kToggle, kValue);
    ASSERT_TRUE(waitForLog("full screen on"));
    EXPECT_EQ(probe.parent(display), probe.root());
    EXPECT_EQ(probe.geometry(display), QRect(QPoint(0, 0), probe.screenSize()));
    windows.sendMessage(display, kWmKeyDown, kToggle, kValue);
    ASSERT_TRUE(waitForLog("full screen off"));
    EXPECT_EQ(probe.parent(display), static_cast<unsigned long>(host->winId()));
    EXPECT_EQ(probe.geometry(display).topLeft(), QPoint(0, -50));

    windows.sendMessage(display, kWmLButtonUp, kToggle, kValue);
    ASSERT_TRUE(waitForLog("mouse grab on"));
    EXPECT_TRUE(probe.pointerHeldByAnother());
    windows.sendMessage(display, kWmLButtonUp, kToggle, kValue);
    ASSERT_TRUE(waitForLog("mouse grab off"));
    EXPECT_FALSE(probe.pointerHeldByAnother());

    // Other parameters are received but change nothing.
    windows.sendMessage(display, kWmKeyDown, 0x41, 0);
    ASSERT_TRUE(waitForLog("message 0x00000100 wParam 0x00000041 lParam 0x00000000"));
    EXPECT_EQ(log().filter("full screen").size(), 2);
    EXPECT_TRUE(processes.isRunning(pid));
}

TEST_F(EngineX11Test, DestroyingTheHostWindowEndsTheEmbeddedEngine) {
    ASSERT_NE(startEmbedded(), 0);
    host.reset();
    EXPECT_TRUE(test::waitUntil([&] { return !processes.isRunning(pid); }));
    EXPECT_EQ(log().last(), "exit display window destroyed");
}

TEST_F(EngineX11Test, RefusesAMalformedConfigurationWithAMessage) {
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
