#include <gtest/gtest.h>

#include <QProcess>

#include "real_program.h"

namespace vornelix {
namespace {

// The engine alone, started with configuration files it must refuse; the program drives it in
// profile_run_x11_test.
using EngineX11 = test::RealProgramX11;

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
