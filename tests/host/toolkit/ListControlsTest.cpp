#include "host/toolkit/DirListBox.h"
#include "host/toolkit/DriveListBox.h"
#include "host/toolkit/FileListBox.h"
#include "support/FakeHost.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <gtest/gtest.h>

namespace korven::host {
namespace {

using testing::FakeDriveSource;
using testing::FakeFolderReader;

void Touch(const QString& path) {
    QFile(path).open(QIODevice::WriteOnly);
}

// A scratch tree:  fonts/{Zeta,alpha,beta}/  with fonts of mixed case and other files.
class Lists : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tmp.isValid());
        fonts = tmp.filePath("fonts");
        QDir().mkpath(fonts + "/Zeta");
        QDir().mkpath(fonts + "/alpha");
        QDir().mkpath(fonts + "/beta");
        for (const char* name : {"b.ttf", "A.TTF", "c.pgf", "readme", ".secret.ttf", "d.Ttf"})
            Touch(fonts + "/" + name);
        drives.roots = {"/", tmp.path()};
    }
    QTemporaryDir tmp;
    QString fonts;
    FakeDriveSource drives;
    FakeFolderReader folders;
};

TEST_F(Lists, FolderListShowsAncestorsThenSortedSubfolders) {
    DirListBox dir(drives, folders);
    QSignalSpy changed(&dir, &DirListBox::Change);
    ASSERT_EQ(dir.SetPath(fonts + "/"), FolderError::None);
    EXPECT_EQ(dir.Path(), fonts);
    EXPECT_EQ(dir.Ancestors().first(), "/");
    EXPECT_EQ(dir.Ancestors().last(), fonts);
    EXPECT_EQ(dir.Subfolders(), QStringList({fonts + "/alpha", fonts + "/beta", fonts + "/Zeta"}));
    EXPECT_EQ(dir.count(), dir.Ancestors().size() + 3);
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(Lists, FolderListKeepsOneRowHeightAndShowsTheCurrentFoldersSubfolders) {
    // Deep enough that the ancestors alone fill the box the main window gives the list.
    const QString deep = fonts + "/alpha/b/c/d/e/f/g";
    QDir().mkpath(deep + "/sub1");
    QDir().mkpath(deep + "/sub2");
    QWidget window;
    auto* dir = new DirListBox(drives, folders, &window);
    dir->setGeometry(8, 48, 217, 96);
    window.show();
    const int firstHeight = dir->sizeHintForRow(0);
    for (const QString& path : {deep, fonts, deep}) {
        SCOPED_TRACE(qPrintable(path));
        ASSERT_EQ(dir->SetPath(path), FolderError::None);
        EXPECT_EQ(dir->sizeHintForRow(0), firstHeight);
    }
    const QRect inside = dir->viewport()->rect();
    const int current = static_cast<int>(dir->Ancestors().size()) - 1;
    for (int row : {current, current + 1, current + 2}) {
        EXPECT_TRUE(inside.contains(dir->visualItemRect(dir->item(row)))) << row;
    }
}

TEST_F(Lists, FolderListFailuresLeaveEverythingAsItWas) {
    DirListBox dir(drives, folders);
    ASSERT_EQ(dir.SetPath(fonts), FolderError::None);
    const int rows = dir.count();
    QSignalSpy changed(&dir, &DirListBox::Change);

    folders.failures[fonts + "/alpha"] = ENOMEDIUM;
    folders.failures[fonts + "/beta"] = ENODEV;
    folders.failures[fonts + "/Zeta"] = EIO;
    EXPECT_EQ(dir.SetPath(fonts + "/alpha"), FolderError::DiskNotReady);
    EXPECT_EQ(dir.SetPath(fonts + "/beta"), FolderError::DeviceUnavailable);
    EXPECT_EQ(dir.SetPath(fonts + "/Zeta"), FolderError::DiskNotReady);
    EXPECT_EQ(dir.SetPath(fonts + "/missing"), FolderError::Other);

    EXPECT_EQ(dir.Path(), fonts);
    EXPECT_EQ(dir.count(), rows);
    EXPECT_EQ(changed.count(), 0);
    // Nothing needs resetting: a readable folder works straight after.
    folders.failures.clear();
    EXPECT_EQ(dir.SetPath(fonts + "/alpha"), FolderError::None);
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(Lists, DriveThatIsNoLongerMountedIsDeviceUnavailable) {
    DirListBox dir(drives, folders);
    ASSERT_EQ(dir.SetPath(fonts), FolderError::None);
    // The folder of a vanished mount point may linger, empty: it is still not the drive.
    EXPECT_EQ(dir.SetPathToDrive(tmp.path() + "/gone-stick"), FolderError::DeviceUnavailable);
    EXPECT_EQ(dir.Path(), fonts);
}

TEST_F(Lists, DriveOpensAtTheCurrentDirectoryWhenItLiesOnIt) {
    const QString saved = QDir::currentPath();
    QDir::setCurrent(fonts + "/beta");
    DirListBox dir(drives, folders);
    EXPECT_EQ(dir.SetPathToDrive(tmp.path()), FolderError::None);
    EXPECT_EQ(dir.Path(), fonts + "/beta");
    EXPECT_EQ(dir.SetPathToDrive("/"), FolderError::None);
    EXPECT_EQ(dir.Path(), "/");
    QDir::setCurrent(saved);
}

TEST_F(Lists, DoubleClickAndEnterOpenAFolderFailureIsReported) {
    DirListBox dir(drives, folders);
    ASSERT_EQ(dir.SetPath(fonts), FolderError::None);
    dir.show();
    const int alphaRow = dir.count() - 3;
    QSignalSpy changed(&dir, &DirListBox::Change);
    const QPoint onAlpha = dir.visualItemRect(dir.item(alphaRow)).center();
    QTest::mouseClick(dir.viewport(), Qt::LeftButton, {}, onAlpha);
    EXPECT_EQ(dir.Path(), fonts); // a single click only selects
    QTest::mouseDClick(dir.viewport(), Qt::LeftButton, {}, onAlpha);
    EXPECT_EQ(dir.Path(), fonts + "/alpha");
    EXPECT_EQ(changed.count(), 1);

    dir.setCurrentRow(dir.count() - 2); // the parent, "fonts"
    QTest::keyClick(&dir, Qt::Key_Return);
    EXPECT_EQ(dir.Path(), fonts);

    folders.failures[fonts + "/beta"] = EIO;
    QSignalSpy failed(&dir, &DirListBox::OpenFailed);
    dir.setCurrentRow(dir.count() - 2);
    QTest::keyClick(&dir, Qt::Key_Enter);
    ASSERT_EQ(failed.count(), 1);
    EXPECT_EQ(failed[0][0].value<FolderError>(), FolderError::DiskNotReady);
    EXPECT_EQ(dir.Path(), fonts);
}

// The destination list: the highlighted folder is the current one, by a click or a key, the
// entries staying until a folder is opened; the current folder and those above it are drawn
// open, the others closed.
TEST_F(Lists, WhenThePathFollowsTheHighlightTheyNeverDiffer) {
    DirListBox dir(drives, folders);
    dir.SetPathFollowsHighlight(true);
    ASSERT_EQ(dir.SetPath(fonts), FolderError::None);
    dir.show();
    const int fontsRow = dir.count() - 4;
    const int alphaRow = dir.count() - 3;
    QSignalSpy changed(&dir, &DirListBox::Change);
    auto openRows = [&dir] {
        QList<int> rows;
        const QImage openPicture = dir.item(0)->icon().pixmap(16, 16).toImage();
        for (int row = 0; row < dir.count(); ++row)
            if (dir.item(row)->icon().pixmap(16, 16).toImage() == openPicture)
                rows << row;
        return rows;
    };
    QList<int> chain;
    for (int row = 0; row <= fontsRow; ++row)
        chain << row;
    EXPECT_EQ(openRows(), chain);

    QTest::mouseClick(dir.viewport(), Qt::LeftButton, {},
                      dir.visualItemRect(dir.item(alphaRow)).center());
    EXPECT_EQ(dir.Path(), fonts + "/alpha");
    EXPECT_EQ(dir.ShownFolder(), fonts);
    EXPECT_EQ(dir.currentRow(), alphaRow);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(openRows(), chain + QList<int>{alphaRow});

    QTest::keyClick(&dir, Qt::Key_Down); // to beta
    EXPECT_EQ(dir.Path(), fonts + "/beta");
    QTest::keyClick(&dir, Qt::Key_Up);
    QTest::keyClick(&dir, Qt::Key_Up); // back to fonts itself
    EXPECT_EQ(dir.Path(), fonts);
    EXPECT_EQ(changed.count(), 4);

    // Read again, or followed on the disk, the highlighted folder stays the current one.
    dir.setCurrentRow(alphaRow);
    ASSERT_EQ(dir.Refresh(), FolderError::None);
    EXPECT_EQ(dir.Path(), fonts + "/alpha");
    EXPECT_EQ(dir.currentRow(), alphaRow);
    // Opening it lists its own subfolders.
    QTest::keyClick(&dir, Qt::Key_Return);
    EXPECT_EQ(dir.ShownFolder(), fonts + "/alpha");
    EXPECT_EQ(dir.Path(), fonts + "/alpha");
}

TEST(MatchesPattern, WildcardsIgnoreCaseAndListsOfPatterns) {
    EXPECT_TRUE(MatchesPattern("Arial.ttf", "*.ttf"));
    EXPECT_TRUE(MatchesPattern("ARIAL.TTF", "*.ttf"));
    EXPECT_FALSE(MatchesPattern("arial.ttf.bak", "*.ttf"));
    EXPECT_FALSE(MatchesPattern("ttf", "*.ttf"));
    EXPECT_TRUE(MatchesPattern("a.b.ttf", "*.ttf"));
    EXPECT_TRUE(MatchesPattern("f1.pgf", "f?.pgf"));
    EXPECT_FALSE(MatchesPattern("f12.pgf", "f?.pgf"));
    EXPECT_TRUE(MatchesPattern("x.otf", "*.ttf; *.otf"));
    EXPECT_TRUE(MatchesPattern("README", "*.*"));
    EXPECT_FALSE(MatchesPattern("x", ""));
}

TEST_F(Lists, FileListShowsMatchingVisibleFilesSorted) {
    FileListBox files(folders);
    files.SetPattern("*.ttf");
    ASSERT_EQ(files.SetPath(fonts), FolderError::None);
    EXPECT_EQ(files.Files(), QStringList({"A.TTF", "b.ttf", "d.Ttf"}));
    files.SetPattern("*.pgf");
    EXPECT_EQ(files.Files(), QStringList({"c.pgf"}));
}

TEST_F(Lists, FileListClickComesFromTheUserOnly) {
    FileListBox files(folders);
    files.SetPattern("*.ttf");
    QSignalSpy clicked(&files, &FileListBox::Click);
    files.SetPath(fonts);
    files.SelectFile("b.ttf");
    files.Refresh();
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_EQ(files.FileName(), "b.ttf");

    files.show();
    const QPoint onA = files.visualItemRect(files.item(0)).center();
    QTest::mouseClick(files.viewport(), Qt::LeftButton, {}, onA);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(files.FileName(), "A.TTF");
    QTest::mouseClick(files.viewport(), Qt::LeftButton, {}, onA); // same file again
    EXPECT_EQ(clicked.count(), 2);
    QTest::keyClick(files.viewport(), Qt::Key_Down);
    EXPECT_EQ(clicked.count(), 3);
    EXPECT_EQ(files.FileName(), "b.ttf");
}

TEST_F(Lists, FileListRefreshSeesNewFilesAndKeepsTheSelection) {
    FileListBox files(folders);
    files.SetPattern("*.pgf");
    files.SetPath(fonts);
    files.SelectFile("c.pgf");
    Touch(fonts + "/ltn0.pgf");
    EXPECT_EQ(files.Refresh(), FolderError::None);
    EXPECT_EQ(files.Files(), QStringList({"c.pgf", "ltn0.pgf"}));
    EXPECT_EQ(files.FileName(), "c.pgf");

    folders.failures[fonts] = EIO;
    EXPECT_EQ(files.Refresh(), FolderError::DiskNotReady);
    EXPECT_TRUE(files.Files().isEmpty());
    EXPECT_EQ(files.count(), 0);
}

// The lists follow the disk by themselves, well within a second, keeping the highlight.
TEST_F(Lists, FileListFollowsFilesCreatedRenamedAndRemoved) {
    FileListBox files(folders);
    files.SetPattern("*.ttf");
    files.SetPath(fonts);
    files.SelectFile("b.ttf");
    QSignalSpy clicked(&files, &FileListBox::Click);
    QSignalSpy gone(&files, &FileListBox::SelectedFileGone);

    Touch(fonts + "/New.ttf");
    ASSERT_TRUE(QFile::rename(fonts + "/d.Ttf", fonts + "/e.ttf"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return files.Files().contains("New.ttf"); }, 1000));
    EXPECT_EQ(files.Files(), QStringList({"A.TTF", "b.ttf", "e.ttf", "New.ttf"}));
    EXPECT_EQ(files.FileName(), "b.ttf");
    EXPECT_EQ(gone.count(), 0);

    ASSERT_TRUE(QFile::remove(fonts + "/b.ttf"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return gone.count() == 1; }, 1000));
    EXPECT_EQ(files.Files(), QStringList({"A.TTF", "e.ttf", "New.ttf"}));
    EXPECT_TRUE(files.FileName().isEmpty());
    EXPECT_EQ(clicked.count(), 0);
}

TEST_F(Lists, FolderListFollowsSubfoldersAndAFolderThatGoes) {
    DirListBox dir(drives, folders);
    ASSERT_EQ(dir.SetPath(fonts), FolderError::None);
    QSignalSpy changed(&dir, &DirListBox::Change);
    dir.setCurrentRow(dir.count() - 1); // Zeta, highlighted but not opened

    ASSERT_TRUE(QDir(fonts).mkdir("gamma"));
    ASSERT_TRUE(QDir(fonts).rename("alpha", "delta"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return dir.Subfolders().contains(fonts + "/gamma"); }, 1000));
    EXPECT_EQ(dir.Subfolders(),
              QStringList({fonts + "/beta", fonts + "/delta", fonts + "/gamma", fonts + "/Zeta"}));
    EXPECT_EQ(dir.currentItem()->text(), "Zeta");
    EXPECT_EQ(dir.Path(), fonts);
    EXPECT_EQ(changed.count(), 0);

    ASSERT_EQ(dir.SetPath(fonts + "/beta"), FolderError::None);
    ASSERT_TRUE(QDir(fonts + "/beta").removeRecursively());
    EXPECT_TRUE(QTest::qWaitFor([&] { return dir.Path() == fonts; }, 1000));
    EXPECT_FALSE(dir.Subfolders().contains(fonts + "/beta"));
}

TEST_F(Lists, DriveListStartsOnTheDriveOfTheCurrentDirectory) {
    const QString saved = QDir::currentPath();
    QDir::setCurrent(fonts);
    DriveListBox box(drives);
    EXPECT_EQ(box.Drive(), tmp.path());
    EXPECT_EQ(box.count(), 2);
    QDir::setCurrent(saved);
}

TEST_F(Lists, DriveListAssignmentAlwaysRaisesChangeUserPickOnlyOnADifference) {
    DriveListBox box(drives);
    QSignalSpy changed(&box, &DriveListBox::Change);
    ASSERT_TRUE(box.SetDrive(fonts));
    EXPECT_EQ(box.Drive(), tmp.path());
    ASSERT_TRUE(box.SetDrive(tmp.path())); // the same drive again
    EXPECT_EQ(changed.count(), 2);

    emit box.activated(box.findData(tmp.path()));
    EXPECT_EQ(changed.count(), 2);
    emit box.activated(box.findData("/"));
    EXPECT_EQ(changed.count(), 3);
    EXPECT_EQ(box.Drive(), "/");
}

TEST_F(Lists, DriveListAssignmentFindsADriveAttachedSinceTheLastRefresh) {
    DriveListBox box(drives);
    drives.roots << "/media/new-card";
    EXPECT_TRUE(box.SetDrive("/media/new-card/PSP"));
    EXPECT_EQ(box.Drive(), "/media/new-card");
    drives.roots = {"C:\\"};
    EXPECT_FALSE(box.SetDrive("relative/path"));
}

TEST_F(Lists, DriveListRefreshFollowsAttachAndRemove) {
    DriveListBox box(drives);
    box.SetDrive(tmp.path());
    QSignalSpy changed(&box, &DriveListBox::Change);

    drives.roots << "/media/stick";
    box.Refresh();
    EXPECT_EQ(box.Drives(), drives.roots);
    EXPECT_EQ(box.count(), 3);
    EXPECT_EQ(changed.count(), 0); // the current drive is still there

    drives.roots = {"/", "/media/stick"}; // the current drive was pulled out
    box.Refresh();
    EXPECT_EQ(box.Drive(), "/");
    EXPECT_EQ(changed.count(), 1);

    drives.failing = true; // a failed poll does not empty the list
    box.Refresh();
    EXPECT_EQ(box.count(), 2);
}

// A folder offered as a drive: labelled in the list, opened at a folder that may not exist
// yet. The list shows the deepest folder that exists and keeps aiming at the wanted one
// until it appears or the user opens another.
TEST_F(Lists, FolderDriveIsLabelledAndOpensAheadOfTheDisk) {
    const QString stick = tmp.filePath("cfg/ppsspp");
    const QString font = stick + "/PSP/flash0/font";
    QDir().mkpath(stick + "/PSP");
    drives.roots << stick;
    drives.folderDrives = {{stick, "emulator memory stick", font}};

    DriveListBox box(drives);
    ASSERT_EQ(box.count(), 3);
    EXPECT_EQ(box.itemText(2), "ppsspp [emulator memory stick]");
    EXPECT_EQ(box.itemData(2, Qt::ToolTipRole).toString(), QDir::toNativeSeparators(stick));
    EXPECT_EQ(box.itemText(1), QDir::toNativeSeparators(tmp.path())); // volumes as before

    DirListBox dir(drives, folders);
    QSignalSpy changed(&dir, &DirListBox::Change);
    ASSERT_EQ(dir.SetPathToDrive(stick), FolderError::None);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(dir.Ahead());
    EXPECT_EQ(dir.Path(), font);
    EXPECT_EQ(dir.Ancestors().last(), stick + "/PSP");
    EXPECT_EQ(dir.currentItem()->text(), "PSP");

    ASSERT_EQ(dir.Refresh(), FolderError::None); // still missing: still ahead
    EXPECT_TRUE(dir.Ahead());
    QDir().mkpath(font);
    ASSERT_EQ(dir.Refresh(), FolderError::None);
    EXPECT_FALSE(dir.Ahead());
    EXPECT_EQ(dir.Ancestors().last(), font);

    QDir().rmdir(font);
    ASSERT_EQ(dir.SetPathToDrive(stick), FolderError::None);
    ASSERT_EQ(dir.SetPath(fonts), FolderError::None); // opening a folder ends the aim
    EXPECT_FALSE(dir.Ahead());
    EXPECT_EQ(dir.Path(), fonts);
}

} // namespace
} // namespace korven::host
