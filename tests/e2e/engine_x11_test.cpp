#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include "machine/engine_interface.h"
#include "real_program.h"

namespace vornelix {
namespace {

// The engine alone, started on configuration files of its own; the program drives it in
// profile_run_x11_test.
using EngineX11 = test::RealProgramX11;

const QByteArray kValidConfig =
    "pci_ide0_master_image = \"c:\\x\\hdimage.img\"\r\n"
    "memory_size = 0x8000000\r\n";

TEST_F(EngineX11, RefusesAMalformedConfigurationWithAMessage) {
    const QList<QByteArray> malformed = {
        "",
        "this line has no equals sign\r\n" + kValidConfig,
        kValidConfig + "= 1\r\n",
        kValidConfig + "two words = 1\r\n",
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

// A program folder whose path holds a blank: the configuration file is named unquoted, as two
// words, and the engine still reads it.
TEST_F(EngineX11, ReadsAConfigurationPathWithABlank) {
    const QString folder = "c:\\Vornelix Beta";
    ASSERT_TRUE(QDir().mkpath(env.host(folder)));
    ASSERT_TRUE(
        QFile::copy(env.programHost() + "/Vornelix.exe", env.host(folder) + "/Vornelix.exe"));
    env.writeFile(folder + "\\Xeminga", kValidConfig);
    const EngineCommandLine command = engineCommandLine(folder);
    const platform::StartResult started = processes.start(
        command.program, command.parameters, command.workingFolder, platform::ShowCommand::Hide);
    ASSERT_TRUE(started.started());
    EXPECT_TRUE(waitForLog("start " + env.host(folder + "\\Xeminga") + " show 0"))
        << log().join('\n').toStdString();
    processes.end(started.pid);
}

}  // namespace
}  // namespace vornelix
