#include "host/seams/FolderReader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>
#include <unistd.h>

namespace korven::host {
namespace {

TEST(ClassifyFolderError, TellsTheTwoReportedConditionsFromEveryOther) {
    EXPECT_EQ(ClassifyFolderError(0), FolderError::None);
    for (int unavailable : {ENODEV, ENXIO})
        EXPECT_EQ(ClassifyFolderError(unavailable), FolderError::DeviceUnavailable);
    for (int notReady : {EIO, ENOMEDIUM, ENOTCONN, ESTALE, ETIMEDOUT, EHOSTDOWN})
        EXPECT_EQ(ClassifyFolderError(notReady), FolderError::DiskNotReady);
    for (int other : {ENOENT, EACCES, ENOTDIR, ELOOP, EPERM})
        EXPECT_EQ(ClassifyFolderError(other), FolderError::Other);
}

class RealFolder : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QDir root(dir.path());
        root.mkdir("sub one");
        root.mkdir(".hidden");
        QFile(root.filePath("a.ttf")).open(QIODevice::WriteOnly);
        QFile(root.filePath("B.TTF")).open(QIODevice::WriteOnly);
        QFile::link(root.filePath("sub one"), root.filePath("link to sub"));
        QFile::link(root.filePath("a.ttf"), root.filePath("link to a.ttf"));
        QFile::link(root.filePath("nowhere"), root.filePath("dangling"));
    }
    QTemporaryDir dir;
    SystemFolderReader reader;
};

TEST_F(RealFolder, SplitsFoldersFromFilesFollowingLinks) {
    QStringList folders = reader.Subfolders(dir.path()).names;
    QStringList files = reader.Files(dir.path()).names;
    folders.sort();
    files.sort();
    EXPECT_EQ(folders, QStringList({".hidden", "link to sub", "sub one"}));
    EXPECT_EQ(files, QStringList({"B.TTF", "a.ttf", "link to a.ttf"}));
}

TEST_F(RealFolder, MissingFolderAndFileInsteadOfFolderAreOtherFailures) {
    const FolderListing missing = reader.Subfolders(dir.filePath("gone"));
    EXPECT_EQ(missing.error, FolderError::Other);
    EXPECT_EQ(missing.systemError, ENOENT);
    EXPECT_EQ(reader.Files(dir.filePath("a.ttf")).error, FolderError::Other);
}

TEST_F(RealFolder, UnreadableFolderIsAnOtherFailure) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    const QString locked = dir.filePath("sub one");
    QFile::setPermissions(locked, QFileDevice::Permissions());
    const FolderListing listing = reader.Subfolders(locked);
    QFile::setPermissions(locked,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(listing.error, FolderError::Other);
    EXPECT_EQ(listing.systemError, EACCES);
}

} // namespace
} // namespace korven::host
