#include "profiles/module_rar.h"

#include <gtest/gtest.h>
#include <sys/mount.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <cerrno>
#include <clocale>
#include <cstring>
#include <string>

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
    void copyFixture(const QString& name) {
        ASSERT_TRUE(
            QFile::copy(QStringLiteral(VORNELIX_TEST_DATA "/rar/") + name, env.host(kArchive)));
    }
    QByteArray image() const { return env.readFile(kImage); }
    bool imageExists() const { return QFile::exists(env.host(kImage)); }

    // Runs a pass that must show message in a box titled "Error" and then end the program.
    void expectFatal(const QString& message, std::int32_t mode = 0, const QString& password = "",
                     const QString& archive = kArchive, const QString& destination = kImage) {
        EXPECT_THROW(RARExecute(destination, mode, archive, password), ProgramEnded);
        EXPECT_TRUE(env.ui.ended);
        ASSERT_EQ(env.ui.boxes.size(), 1u);
        EXPECT_EQ(env.ui.boxes[0].text, message);
        EXPECT_EQ(env.ui.boxes[0].title, "Error");
        EXPECT_EQ(env.ui.boxes[0].buttons, platform::MsgButtons::Ok);
    }
    // Runs a pass that must end normally without any box.
    void expectQuiet(std::int32_t mode, const QString& password = "") {
        EXPECT_NO_THROW(RARExecute(kImage, mode, kArchive, password));
        EXPECT_TRUE(env.ui.boxes.empty()) << env.ui.lastText().toStdString();
        EXPECT_FALSE(env.ui.ended);
    }

    TestEnvironment env;
};

// ---- stored archives of both formats, made by the tests' writer ------------------------------

class ModuleRarFormatTest : public ModuleRarTest, public ::testing::WithParamInterface<RarFormat> {
  protected:
    RarWriter writer() const { return RarWriter(GetParam()); }
};

TEST_P(ModuleRarFormatTest, ExtractsTheEntryUnderTheDestinationNameOnly) {
    const QByteArray data = pattern(70000, 'a');
    write(writer().add("original name.img", data));

    expectQuiet(0);

    EXPECT_EQ(image(), data);
    QStringList files;
    for (QDirIterator it(env.root(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        files << QDir(env.root()).relativeFilePath(it.next());
    files.sort();
    EXPECT_EQ(files, QStringList({"Vornelix/vornelix_hd_3gb.rar", "Vornelix_HD/Test/hdimage.img"}));
    EXPECT_FALSE(QFile::exists("original name.img"));
}

TEST_P(ModuleRarFormatTest, EveryEntryOverwritesTheOneDestination) {
    env.writeFile(kImage, "an older image that is longer than the entries");
    write(writer().add("first.img", "first entry").add("second.img", "second"));

    expectQuiet(0);

    EXPECT_EQ(image(), "second");
}

TEST_P(ModuleRarFormatTest, ShowsTheCommentBeforeTheFirstEntry) {
    write(writer().comment("Pre-made volume, 3 GB\nformatted HFS+").add("v.img", "volume"));
    std::size_t boxesAtFirstEntry = 99;
    bool imageAtFirstEntry = true;
    env.clock.onStep = [&](const char*, int) {
        if (boxesAtFirstEntry != 99)
            return;
        boxesAtFirstEntry = env.ui.boxes.size();
        imageAtFirstEntry = imageExists();
    };

    EXPECT_NO_THROW(RARExecute(kImage, 0, kArchive, ""));

    EXPECT_EQ(boxesAtFirstEntry, 1u);
    EXPECT_FALSE(imageAtFirstEntry);
    ASSERT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_EQ(env.ui.boxes[0].title, "Comment");
    EXPECT_EQ(env.ui.boxes[0].text, "Pre-made volume, 3 GB\nformatted HFS+");
    EXPECT_EQ(image(), "volume");
}

TEST_P(ModuleRarFormatTest, CommentThatFillsTheBufferIsNotShown) {
    const QString longest(16383, 'c');  // with its terminating NUL: the whole buffer
    write(writer().comment(longest).add("v.img", "one"));
    EXPECT_NO_THROW(RARExecute(kImage, 0, kArchive, ""));
    ASSERT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_EQ(env.ui.boxes[0].text, longest);

    env.ui.boxes.clear();
    write(writer().comment(longest + "c").add("v.img", "two"));
    expectQuiet(0);
    EXPECT_EQ(image(), "two");
}

TEST_P(ModuleRarFormatTest, DataThatFailsItsChecksumIsACrcError) {
    write(writer().add("v.img", pattern(5000, 'x'), RarFault::DataCrc));
    expectFatal("CRC error");
}

TEST_P(ModuleRarFormatTest, BrokenFileHeaderEndsTheProgramAfterTheEntriesBeforeIt) {
    write(writer()
              .add("good.img", "the good entry")
              .add("bad.img", "never reached", RarFault::BrokenHeader)
              .add("late.img", "after the damage"));

    expectFatal("File header broken");

    EXPECT_EQ(image(), "the good entry");
}

TEST_P(ModuleRarFormatTest, EncryptedEntriesNeedTheRightPassword) {
    const QByteArray secret = "data that only the password opens";
    write(writer().password("s3cret").add("v.img", secret));

    expectQuiet(0, "s3cret");
    EXPECT_EQ(image(), secret);

    QFile::remove(env.host(kImage));
    expectFatal("CRC error", 0, "wrong");
    EXPECT_NE(image(), secret);
}

TEST_P(ModuleRarFormatTest, EmptyPasswordGivesTheLibraryNone) {
    write(writer().password("s3cret").add("v.img", "hidden"));
    expectFatal("CRC error", 0, "");
    EXPECT_FALSE(imageExists());
}

TEST_P(ModuleRarFormatTest, TestAndListModesWriteNothing) {
    write(writer().add("v.img", "contents").add("w.img", "more"));
    expectQuiet(1);
    expectQuiet(2);
    expectQuiet(7);
    EXPECT_FALSE(imageExists());
}

TEST_P(ModuleRarFormatTest, OnlyTheTestModeReadsTheData) {
    write(writer().add("v.img", pattern(3000, 'q'), RarFault::DataCrc).add("w.img", "next"));
    expectQuiet(2);
    expectQuiet(5);
    expectFatal("CRC error", 1);
}

TEST_P(ModuleRarFormatTest, UnknownCompressionIsAnUnknownFormat) {
    write(writer().add("v.img", "packed by a future version", RarFault::UnknownMethod));
    expectFatal("Unknown archive format");
}

INSTANTIATE_TEST_SUITE_P(Formats, ModuleRarFormatTest,
                         ::testing::Values(RarFormat::Rar4, RarFormat::Rar5), [](const auto& info) {
                             return info.param == RarFormat::Rar4 ? "Rar4" : "Rar5";
                         });

// ---- archives made by the rar archiver (tests/data/rar) --------------------------------------

TEST_F(ModuleRarTest, ExtractsACompressedEntry) {
    copyFixture("compressed.rar");
    expectQuiet(0);
    EXPECT_EQ(image(), fixtureVolume());
}

TEST_F(ModuleRarTest, DamagedCompressedDataIsACrcError) {
    copyFixture("compressed_crc_error.rar");
    expectFatal("CRC error");
}

TEST_F(ModuleRarTest, CompressedEncryptedEntryWithTheRightAndAWrongPassword) {
    copyFixture("compressed_password.rar");
    expectQuiet(0, "secret");
    EXPECT_EQ(image(), fixtureVolume());

    QFile::remove(env.host(kImage));
    expectFatal("CRC error", 0, "Secret");
    EXPECT_FALSE(imageExists());
}

TEST_F(ModuleRarTest, EncryptedHeadersAreReadWithThePassword) {
    copyFixture("encrypted_headers.rar");
    expectQuiet(0, "secret");
    EXPECT_EQ(image(), fixtureVolume());
}

TEST_F(ModuleRarTest, EncryptedHeadersWithoutThePasswordCannotBeRead) {
    copyFixture("encrypted_headers.rar");
    expectFatal("File header broken");
    EXPECT_FALSE(imageExists());
}

// ---- archives that do not open ---------------------------------------------------------------

TEST_F(ModuleRarTest, MissingArchiveCannotBeOpened) {
    expectFatal(R"(Cannot open c:\Vornelix\vornelix_hd_3gb.rar)");
    EXPECT_FALSE(imageExists());
}

TEST_F(ModuleRarTest, ArchiveOnAnUnknownDriveCannotBeOpened) {
    expectFatal(R"(Cannot open q:\vornelix_hd_3gb.rar)", 0, "", R"(q:\vornelix_hd_3gb.rar)");
}

TEST_F(ModuleRarTest, FileThatIsNotAnArchiveIsReportedWithItsPath) {
    env.writeFile(kArchive, "MZ this is a program, not an archive");
    expectFatal(R"(c:\Vornelix\vornelix_hd_3gb.rar is not RAR archive)");

    env.ui = FakeUi();
    env.writeFile(kArchive, "");
    expectFatal(R"(c:\Vornelix\vornelix_hd_3gb.rar is not RAR archive)", 2);
}

// ---- destinations ----------------------------------------------------------------------------

TEST_F(ModuleRarTest, MissingDestinationFolderIsMadeByTheLibrary) {
    write(RarWriter(RarFormat::Rar5).add("v.img", "volume"));
    const QString destination = R"(c:\Vornelix_HD\New Profile\hdimage.img)";
    EXPECT_NO_THROW(RARExecute(destination, 0, kArchive, ""));
    EXPECT_TRUE(env.ui.boxes.empty());
    EXPECT_EQ(env.readFile(destination), "volume");
}

TEST_F(ModuleRarTest, DestinationThatCannotBeCreatedIsAFileCreateError) {
    write(RarWriter(RarFormat::Rar5).add("v.img", "volume"));
    expectFatal("File create error", 0, "", kArchive, R"(q:\Vornelix_HD\Test\hdimage.img)");

    env.ui = FakeUi();
    expectFatal("File create error", 0, "", kArchive, R"(c:\Vornelix_HD\Test)");
}

// A tmpfs mounted for one test; mounting needs CAP_SYS_ADMIN.
class SmallTmpfs {
  public:
    SmallTmpfs(const QString& folder, const char* size) : m_path(QFile::encodeName(folder)) {
        QDir().mkpath(folder);
        const std::string options = std::string("size=") + size;
        m_mounted = ::mount("tmpfs", m_path.constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                            options.c_str()) == 0;
        m_error = m_mounted ? 0 : errno;
    }
    ~SmallTmpfs() {
        if (m_mounted)
            ::umount2(m_path.constData(), MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }
    const char* error() const { return std::strerror(m_error); }

  private:
    QByteArray m_path;
    bool m_mounted = false;
    int m_error = 0;
};

TEST_F(ModuleRarTest, DestinationOnAFullFileSystemIsAWriteError) {
    write(RarWriter(RarFormat::Rar5).add("v.img", pattern(512 * 1024, 'f')));
    SmallTmpfs full(env.host(R"(c:\Full)"), "64k");
    if (!full.mounted())
        GTEST_SKIP() << "cannot mount a 64 KiB tmpfs here (" << full.error()
                     << "); mounting needs CAP_SYS_ADMIN";
    expectFatal("Write error", 0, "", kArchive, R"(c:\Full\hdimage.img)");
}

TEST_F(ModuleRarTest, PathsOutsideAsciiWorkInTheCLocale) {
    const std::string savedLocale = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "C");
    const QString archive = QString::fromUtf8(R"(c:\Données\archivé.rar)");
    const QString destination = QString::fromUtf8(R"(c:\Données\Été\hdimage.img)");
    QDir().mkpath(env.host(QString::fromUtf8(R"(c:\Données\Été)")));
    write(RarWriter(RarFormat::Rar4).add("v.img", "accented"), archive);

    EXPECT_NO_THROW(RARExecute(destination, 0, archive, ""));

    std::setlocale(LC_ALL, savedLocale.c_str());
    EXPECT_TRUE(env.ui.boxes.empty()) << env.ui.lastText().toStdString();
    EXPECT_EQ(env.readFile(destination), "accented");
}

// ---- window events during a pass -------------------------------------------------------------

TEST_F(ModuleRarTest, EventsRunWhileALargeEntryIsExtracted) {
    const QByteArray data = pattern(9 * 1024 * 1024, 'L');
    write(RarWriter(RarFormat::Rar5).add("big.img", data));

    expectQuiet(0);

    EXPECT_EQ(image(), data);
    // One between entries, the rest while the data flows (in blocks of at most a few MiB).
    EXPECT_GE(env.clock.doEventsCount, 3);
}

TEST_F(ModuleRarTest, EventsCannotStartASecondPass) {
    write(RarWriter(RarFormat::Rar5).add("big.img", pattern(3 * 1024 * 1024, 'b')));
    const QString other = R"(c:\Vornelix\other.rar)";
    write(RarWriter(RarFormat::Rar5).comment("a box the nested pass would show").add("o", "x"),
          other);
    const QString otherImage = R"(c:\Vornelix_HD\Other\hdimage.img)";
    int nestedCalls = 0;
    bool nested = false;
    env.clock.onStep = [&](const char*, int) {
        if (nested)
            return;
        nested = true;
        ++nestedCalls;
        RARExecute(otherImage, 0, other, "");
        nested = false;
    };

    expectQuiet(0);

    EXPECT_GE(nestedCalls, 2);
    EXPECT_FALSE(QFile::exists(env.host(otherImage)));
    EXPECT_EQ(image(), pattern(3 * 1024 * 1024, 'b'));
}

TEST_F(ModuleRarTest, EndOfTheProgramDuringTheDataLeavesTheModuleUsable) {
    write(RarWriter(RarFormat::Rar5).add("big.img", pattern(3 * 1024 * 1024, 'e')));
    int events = 0;
    env.clock.onStep = [&](const char*, int) {
        if (++events == 2)
            env.ui.endProgram();  // the first event inside the library
    };
    EXPECT_THROW(RARExecute(kImage, 0, kArchive, ""), ProgramEnded);

    env.clock.onStep = nullptr;
    env.ui = FakeUi();
    expectQuiet(0);
    EXPECT_EQ(image(), pattern(3 * 1024 * 1024, 'e'));
}

// ---- the messages ----------------------------------------------------------------------------

TEST_F(ModuleRarTest, EveryKnownCodeHasItsMessageAndEndsTheProgram) {
    const QString path = R"(c:\Vornelix\a.rar)";
    const std::vector<std::pair<int, QString>> openMessages = {
        {11, "Not enough memory"},
        {12, R"(c:\Vornelix\a.rar: archive header broken)"},
        {13, R"(c:\Vornelix\a.rar is not RAR archive)"},
        {15, R"(Cannot open c:\Vornelix\a.rar)"}};
    for (const auto& [code, message] : openMessages) {
        env.ui = FakeUi();
        EXPECT_THROW(ModuleRAR::ReportRAROpenError(code, path), ProgramEnded) << code;
        ASSERT_EQ(env.ui.boxes.size(), 1u);
        EXPECT_EQ(env.ui.boxes[0].text, message);
        EXPECT_EQ(env.ui.boxes[0].title, "Error");
    }
    const std::vector<std::pair<int, QString>> processMessages = {
        {12, "CRC error"},         {13, "Bad volume"},        {14, "Unknown archive format"},
        {15, "Volume open error"}, {16, "File create error"}, {17, "File close error"},
        {18, "Read error"},        {19, "Write error"}};
    for (const auto& [code, message] : processMessages) {
        env.ui = FakeUi();
        EXPECT_THROW(ModuleRAR::ReportRARProcessError(code), ProgramEnded) << code;
        ASSERT_EQ(env.ui.boxes.size(), 1u);
        EXPECT_EQ(env.ui.boxes[0].text, message);
        EXPECT_EQ(env.ui.boxes[0].title, "Error");
    }
}

TEST_F(ModuleRarTest, CodesWithoutAMessageDoNothing) {
    for (int code : {0, 10, 14, 16, 20, 21, 22, 24}) ModuleRAR::ReportRAROpenError(code, "x.rar");
    for (int code : {0, 10, 11, 20, 21, 22, 24}) ModuleRAR::ReportRARProcessError(code);
    EXPECT_TRUE(env.ui.boxes.empty());
    EXPECT_FALSE(env.ui.ended);
}

}  // namespace
}  // namespace vornelix::test
