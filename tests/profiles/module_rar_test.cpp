#include "profiles/module_rar.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <algorithm>
#include <clocale>
#include <optional>
#include <string>
#include <utility>

#include "support/rar_writer.h"
#include "support/test_environment.h"

namespace vornelix::test {
namespace {

using ModuleRAR::RARExecute;
using platform::ProgramEnded;

const QString kArchive = R"(c:\Vornelix\vornelix_hd_3gb.rar)";
const QString kImage = R"(c:\Vornelix_HD\Test\hdimage.img)";

// The text of volume.img in the fixtures of tests/data/rar (see the README there).
QByteArray fixtureVolume() {
    QByteArray text;
    for (std::uint32_t i = 0; i < 512; ++i)
        text += QString::asprintf("block %05u %08x\n", i, i * 2654435761u).toLatin1();
    return text;
}

QByteArray pattern(int size, char seed) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i) bytes[i] = static_cast<char>(seed + i % 251);
    return bytes;
}

class ModuleRarTest : public ::testing::Test {
  protected:
    void SetUp() override { QDir().mkpath(env.host(R"(c:\Vornelix_HD\Test)")); }

    void write(const RarWriter& writer, const QString& archive = kArchive) {
        ASSERT_TRUE(writer.writeTo(env.host(archive)));
    }
    QByteArray image() const { return env.readFile(kImage); }
    bool imageExists() const { return QFile::exists(env.host(kImage)); }

    // Runs a pass that must show message in a box titled "Error" and then end the program.
    void expectFatal(const QString& message, std::int32_t mode = 0, const QString& password = "",
                     const QString& archive = kArchive, const QString& destination = kImage) {
        env.ui = FakeUi();
        EXPECT_THROW(RARExecute(destination, mode, archive, password), ProgramEnded);
        ASSERT_EQ(env.ui.boxes.size(), 1u);
        EXPECT_EQ(env.ui.boxes[0].text, message);
        EXPECT_EQ(env.ui.boxes[0].title, "Error");
        EXPECT_EQ(env.ui.waitCursors, 0);
    }
    // Runs a pass that must end normally without any box.
    void expectQuiet(std::int32_t mode, const QString& password = "") {
        env.ui = FakeUi();
        EXPECT_NO_THROW(RARExecute(kImage, mode, kArchive, password));
        EXPECT_TRUE(env.ui.boxes.empty()) << env.ui.lastText().toStdString();
    }

    TestEnvironment env;
};

// The comment is shown before the first entry; each entry overwrites the destination.
TEST_F(ModuleRarTest, ShowsTheCommentThenEveryEntryOverwritesTheDestinationAlone) {
    const QByteArray data = pattern(70000, 'a');
    write(
        RarWriter().comment("Pre-made volume").add("first.img", "first").add("original.img", data));
    std::optional<QString> boxAtFirstEntry;
    int waitCursorsAtFirstEntry = 0;
    env.clock.onStep = [&](const char*, int) {
        if (!boxAtFirstEntry)
            boxAtFirstEntry = imageExists() ? "image" : env.ui.lastText();
        waitCursorsAtFirstEntry = std::max(waitCursorsAtFirstEntry, env.ui.waitCursors);
    };
    EXPECT_NO_THROW(RARExecute(kImage, 0, kArchive, ""));
    EXPECT_EQ(boxAtFirstEntry, "Pre-made volume");
    // The wait cursor is shown while the entries are written, and only then.
    EXPECT_EQ(waitCursorsAtFirstEntry, 1);
    EXPECT_EQ(env.ui.waitCursors, 0);
    EXPECT_EQ(image(), data);
    QStringList files;
    for (QDirIterator it(env.root(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        files << QDir(env.root()).relativeFilePath(it.next());
    files.sort();
    EXPECT_EQ(files, QStringList({"Vornelix/vornelix_hd_3gb.rar", "Vornelix_HD/Test/hdimage.img"}));
    EXPECT_FALSE(QFile::exists("original.img"));  // not in the process's own folder
}

// Damaged data and headers are checked with the archiver-made archives below.
TEST_F(ModuleRarTest, AnEntryOfAnUnknownMethodEndsTheProgram) {
    write(RarWriter()
              .add("good.img", "the good entry")
              .add("bad.img", pattern(5000, 'x'), RarFault::UnknownMethod));
    expectFatal("Unknown archive format");
}

// Archives made by the rar archiver (tests/data/rar): compressed and encrypted ones.
TEST_F(ModuleRarTest, ArchiverMadeArchivesWithAndWithoutTheirPassword) {
    // The fixture, the password given, the message ("": extracted without a box).
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"compressed.rar", "", ""},
        {"compressed_crc_error.rar", "", "CRC error"},
        {"compressed_password.rar", "secret", ""},
        {"compressed_password.rar", "Secret", "CRC error"},
        {"encrypted_headers.rar", "secret", ""},
        {"encrypted_headers.rar", "", "File header broken"},
    };
    for (const auto& [fixture, password, message] : cases) {
        SCOPED_TRACE(std::string(fixture) + " / " + password);
        QFile::remove(env.host(kArchive));
        QFile::remove(env.host(kImage));
        ASSERT_TRUE(
            QFile::copy(QStringLiteral(VORNELIX_TEST_DATA "/rar/") + fixture, env.host(kArchive)));
        *message ? expectFatal(message, 0, password) : expectQuiet(0, password);
        EXPECT_EQ(image() == fixtureVolume(), !*message);
    }
}

TEST_F(ModuleRarTest, ArchivesThatDoNotOpen) {
    env.writeFile(kArchive, "MZ this is a program, not an archive");
    expectFatal(R"(c:\Vornelix\vornelix_hd_3gb.rar is not RAR archive)");
    env.writeFile(kArchive, "");
    expectFatal(R"(c:\Vornelix\vornelix_hd_3gb.rar is not RAR archive)", 2);
    EXPECT_FALSE(imageExists());
}

// A missing folder is made; paths outside ASCII work in the C locale too.
TEST_F(ModuleRarTest, DestinationsThatCannotBeWrittenAndAMissingFolder) {
    const QString archive = QString::fromUtf8(R"(c:\Données\archivé.rar)");
    QDir().mkpath(env.host(QString::fromUtf8(R"(c:\Données)")));
    write(RarWriter().add("v.img", "volume"), archive);
    expectFatal("File create error", 0, "", archive, R"(c:\Vornelix_HD\Test)");

    const std::string savedLocale = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "C");
    const QString made = QString::fromUtf8(R"(c:\Données\Été\hdimage.img)");
    EXPECT_NO_THROW(RARExecute(made, 0, archive, ""));
    std::setlocale(LC_ALL, savedLocale.c_str());
    EXPECT_EQ(env.readFile(made), "volume");
}

// ---- window events during a pass -------------------------------------------------------------

TEST_F(ModuleRarTest, HandlesEventsWhileALargeEntryIsWrittenAndRefusesASecondPassWithAnError) {
    const QByteArray data = pattern(9 * 1024 * 1024, 'L');
    write(RarWriter().add("big.img", data));
    const QString other = R"(c:\Vornelix\other.rar)";
    write(RarWriter().comment("a box the nested pass would show").add("o", "x"), other);
    const QString otherImage = R"(c:\Vornelix_HD\Other\hdimage.img)";
    bool nested = false;  // a second pass that did start would otherwise never end
    env.clock.onStep = [&](const char*, int) {
        if (!std::exchange(nested, true))
            RARExecute(otherImage, 0, other, "");
    };

    RARExecute(kImage, 0, kArchive, "");

    EXPECT_EQ(image(), data);
    // Events before the entry and while its data flows.
    EXPECT_GE(env.clock.doEventsCount, 3);
    ASSERT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_EQ(env.ui.boxes[0].text, ModuleRAR::kPassUnderWayMessage);
    EXPECT_EQ(env.ui.boxes[0].title, "Error");
    EXPECT_FALSE(QFile::exists(env.host(otherImage)));
}

}  // namespace
}  // namespace vornelix::test
