// Where the source pane opens: beside the program, unless the program is installed.

#include "app/SourceFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace korven::app {
namespace {

TEST(SourceFolderTest, InstalledProgramsOpenOnTheFontsOthersOnTheirOwnFolder) {
    QTemporaryDir root;
    const QString unpacked = root.filePath(QStringLiteral("unpacked"));
    const QString withFonts = root.filePath(QStringLiteral("home"));
    const QString withoutFonts = root.filePath(QStringLiteral("bare"));
    const QString systemFonts = root.filePath(QStringLiteral("share/fonts"));
    const QString noSystemFonts = root.filePath(QStringLiteral("none"));
    for (const QString& folder :
         {unpacked, withFonts + "/.local/share/fonts", withoutFonts, systemFonts}) {
        ASSERT_TRUE(QDir().mkpath(folder));
    }
    const struct {
        QString program;
        QString home;
        QString systemFonts;
        QString expected;
    } cases[] = {
        {unpacked, withFonts, systemFonts, unpacked},
        {"/usr/bin", withFonts, systemFonts, withFonts + "/.local/share/fonts"},
        {"/usr/local/bin", withoutFonts, systemFonts, systemFonts},
        {"/usr/bin", withoutFonts, noSystemFonts, "/usr/bin"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SourcePaneStartFolder(c.program, c.home, c.systemFonts), c.expected)
            << c.program.toStdString() << " " << c.home.toStdString();
    }
    EXPECT_FALSE(IsSystemFolder(unpacked));
}

TEST(SourceFolderTest, AFolderTheUserCannotWriteIsASystemFolder) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind the superuser";
    }
    QTemporaryDir root;
    ASSERT_TRUE(QFile::setPermissions(root.path(), QFile::ReadOwner | QFile::ExeOwner));
    EXPECT_TRUE(IsSystemFolder(root.path()));
    QFile::setPermissions(root.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace
} // namespace korven::app
