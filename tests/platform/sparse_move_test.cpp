#include "platform/sparse_move.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/statfs.h>

#include <QFile>
#include <QTemporaryDir>

namespace vornelix::platform {
namespace {

constexpr qint64 kSize = qint64{1} << 30;

// A sparse gigabyte with a few bytes at both ends.
void writeSparse(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("head");
    file.resize(kSize);
    file.seek(kSize - 4);
    file.write("tail");
}

void expectSparseCopy(const QString& path) {
    struct stat s {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &s), 0);
    EXPECT_EQ(s.st_size, kSize);
    EXPECT_LT(s.st_blocks * 512, 1 << 24) << "sparse";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(4), "head");
    file.seek(kSize - 4);
    EXPECT_EQ(file.read(4), "tail");
}

TEST(SparseMove, CopyKeepsHolesAndNeverReplacesAFile) {
    QTemporaryDir dir;
    writeSparse(dir.filePath("a.img"));
    EXPECT_EQ(copyHostFileKeepingSparse(dir.filePath("a.img"), dir.filePath("b.img")), "");
    expectSparseCopy(dir.filePath("b.img"));
    QFile::remove(dir.filePath("a.img"));
    QFile other(dir.filePath("a.img"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly) && other.write("other") == 5);
    other.close();
    EXPECT_NE(copyHostFileKeepingSparse(dir.filePath("b.img"), dir.filePath("a.img")), "");
    EXPECT_NE(moveHostFileKeepingSparse(dir.filePath("b.img"), dir.filePath("a.img")), "");
    EXPECT_EQ(QFileInfo(dir.filePath("a.img")).size(), 5);
    expectSparseCopy(dir.filePath("b.img"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2) << "no temporary left";
}

TEST(SparseMove, MovesAcrossFileSystems) {
    QTemporaryDir here;
    QTemporaryDir there("/dev/shm/sparse_move_XXXXXX");
    struct statfs a {
    }, b{};
    if (!there.isValid() || statfs(QFile::encodeName(here.path()), &a) != 0 ||
        statfs("/dev/shm", &b) != 0 || a.f_type == b.f_type)
        GTEST_SKIP() << "needs two file systems";
    writeSparse(here.filePath("a.img"));
    EXPECT_EQ(moveHostFileKeepingSparse(here.filePath("a.img"), there.filePath("a.img")), "");
    EXPECT_FALSE(QFile::exists(here.filePath("a.img")));
    expectSparseCopy(there.filePath("a.img"));
}

}  // namespace
}  // namespace vornelix::platform
