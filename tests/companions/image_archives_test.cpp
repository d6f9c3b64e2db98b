#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/rar_archive.h"
#include "zero_image_archive.h"

namespace vornelix {
namespace {

using platform::RarArchive;

class ZeroImageArchive : public ::testing::TestWithParam<std::uint64_t> {};

// Sizes around the longest match: a tail of 0, 1 and many bytes after the repeats.
TEST_P(ZeroImageArchive, ExtractsToTheHeadFollowedByZeros) {
    QTemporaryDir dir;
    const std::vector<unsigned char> head{'V', 'O', 'R', 'N', 0, 7, 0};
    const QString archive = dir.filePath("a.rar"), image = dir.filePath("hdimage.img");
    ASSERT_EQ(image_archives::writeZeroImageArchive(archive.toStdString(), "hdimage.img", head,
                                                    GetParam()),
              "");
    RarArchive rar;
    ASSERT_EQ(rar.open(archive, platform::RarOpenMode::Extract, 0), 0);
    QString name;
    ASSERT_EQ(rar.readHeader(&name), 0);
    EXPECT_EQ(name, "hdimage.img");
    ASSERT_EQ(rar.processFile(platform::RarOperation::Extract, image), 0);  // CRC checked
    EXPECT_EQ(rar.readHeader(), platform::rar::kEndArchive);
    QFile file(image);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray expected(static_cast<qsizetype>(GetParam()), '\0');
    std::copy(head.begin(), head.end(), expected.begin());
    EXPECT_TRUE(file.readAll() == expected);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ZeroImageArchive,
                         ::testing::Values(7, 8, 7 + 4097 * 3, 7 + 4097 * 3 + 1, 5 << 20));

TEST(ImageArchives, EverySizeLiesInTheProgramFolderWithOneImage) {
    for (int gib = 3; gib <= 15; ++gib) {
        RarArchive rar;
        const QString path = QString(VORNELIX_PROGRAM_DIR "/vornelix_hd_%1gb.rar").arg(gib);
        ASSERT_EQ(rar.open(path, platform::RarOpenMode::List, 0), 0) << gib;
        QString name;
        EXPECT_EQ(rar.readHeader(&name), 0);
        EXPECT_EQ(name, "hdimage.img");
        EXPECT_EQ(rar.processFile(platform::RarOperation::Skip), 0);
        EXPECT_EQ(rar.readHeader(), platform::rar::kEndArchive);
        EXPECT_LT(QFile(path).size(), 600 * 1024);
    }
}

}  // namespace
}  // namespace vornelix
