#include "app/DriveEnumeration.h"

#include "support/FakeHost.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace korven::app {
namespace {

using host::testing::FakeDriveSource;

QStringList ManyRoots(int count) {
    QStringList roots;
    for (int i = 0; i < count; ++i)
        roots << QStringLiteral("/mnt/%1").arg(i);
    return roots;
}

struct EnumerationCase {
    const char* name;
    QStringList roots; // what the source reports
    bool failing;
    std::int16_t count;
    QStringList items; // the caller's list afterwards
};

TEST(EnumerateDrives, CountsEachRootOnceIntoANewList) {
    const EnumerationCase cases[] = {
        {"three drive letters", {"A:\\", "C:\\", "D:\\"}, false, 3, {"A:\\", "C:\\", "D:\\"}},
        {"a repeated root counts once", {"/", "/mnt/a", "/mnt/a"}, false, 2, {"/", "/mnt/a"}},
        {"a failed read counts 0", {"/"}, true, 0, {}},
        {"non-ASCII mount point", {"/", "/media/u/CLÉ USB"}, false, 2, {"/", "/media/u/CLÉ USB"}},
        {"the count stops at the 16-bit limit", ManyRoots(32768), false, 32767, ManyRoots(32768)},
    };
    for (const EnumerationCase& c : cases) {
        FakeDriveSource source;
        source.roots = c.roots;
        source.failing = c.failing;
        DriveRootList list;
        list.Add("stale");
        EXPECT_EQ(EnumerateDrives(list, source), c.count) << c.name;
        EXPECT_EQ(list.Items(), c.items) << c.name;
    }
}

class DrivePolling : public ::testing::Test {
protected:
    void SetUp() override {
        source.roots = {"/", "/home", "/media/stick"};
        DriveRootList list;
        settings.KnownDriveCount = EnumerateDrives(list, source);
    }
    FakeDriveSource source;
    ConversionSettings settings;
};

TEST_F(DrivePolling, NothingChangedRefreshesNothing) {
    EXPECT_FALSE(PollDriveCount(settings, source));
    EXPECT_EQ(settings.CurrentDriveCount, 3);
    EXPECT_EQ(settings.KnownDriveCount, 3);
}

TEST_F(DrivePolling, AttachAndRemoveEachAskForOneRefresh) {
    source.roots << "/media/card";
    EXPECT_TRUE(PollDriveCount(settings, source));
    EXPECT_EQ(settings.KnownDriveCount, 4);
    EXPECT_FALSE(PollDriveCount(settings, source));

    source.roots.removeAll("/media/stick");
    EXPECT_TRUE(PollDriveCount(settings, source));
    EXPECT_EQ(settings.KnownDriveCount, 3);
}

TEST_F(DrivePolling, OneRemovedAndOneAttachedBetweenTicksGoesUnnoticed) {
    source.roots.removeAll("/media/stick");
    source.roots << "/media/card";
    EXPECT_FALSE(PollDriveCount(settings, source));
}

TEST_F(DrivePolling, FailedEnumerationCountsZeroThenRecovers) {
    source.failing = true;
    EXPECT_TRUE(PollDriveCount(settings, source));
    EXPECT_EQ(settings.CurrentDriveCount, 0);
    EXPECT_EQ(settings.KnownDriveCount, 0);
    source.failing = false;
    EXPECT_TRUE(PollDriveCount(settings, source));
    EXPECT_EQ(settings.KnownDriveCount, 3);
}

// HOME and XDG_CONFIG_HOME pointed at a scratch folder for one test, and put back after.
class EmulatorSticks : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tmp.isValid());
        savedHome = qgetenv("HOME");
        savedConfig = qEnvironmentVariableIsSet("XDG_CONFIG_HOME")
                          ? std::optional<QByteArray>(qgetenv("XDG_CONFIG_HOME"))
                          : std::nullopt;
        qputenv("HOME", QFile::encodeName(tmp.filePath("home")));
    }
    void TearDown() override {
        qputenv("HOME", savedHome);
        if (savedConfig)
            qputenv("XDG_CONFIG_HOME", *savedConfig);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }
    QTemporaryDir tmp;
    QByteArray savedHome;
    std::optional<QByteArray> savedConfig;
};

TEST_F(EmulatorSticks, OfferedAfterTheVolumesWhereTheyExist) {
    const QString flatpak = "home/.var/app/org.ppsspp.PPSSPP/config/ppsspp";
    struct Case {
        const char* name;
        const char* config; // XDG_CONFIG_HOME: null unset, "@" the scratch folder + "/cfg"
        QStringList made;   // folders made under the scratch folder
        QStringList sticks; // the sticks offered, under the scratch folder
        QStringList labels;
    };
    const Case cases[] = {
        {"none made", "@", {"home/.config/ppsspp"}, {}, {}},
        {"under XDG_CONFIG_HOME", "@", {"cfg/ppsspp"}, {"cfg/ppsspp"}, {"emulator memory stick"}},
        {"~/.config when unset",
         nullptr,
         {"home/.config/ppsspp"},
         {"home/.config/ppsspp"},
         {"emulator memory stick"}},
        {"~/.config when relative",
         "cfg",
         {"home/.config/ppsspp", "cfg/ppsspp"},
         {"home/.config/ppsspp"},
         {"emulator memory stick"}},
        {"a file is no stick", "@", {"cfg"}, {}, {}},
        {"both",
         nullptr,
         {"home/.config/ppsspp", flatpak},
         {"home/.config/ppsspp", flatpak},
         {"emulator memory stick", "emulator memory stick, Flatpak"}},
    };
    for (const Case& c : cases) {
        QTemporaryDir scratch;
        qputenv("HOME", QFile::encodeName(scratch.filePath("home")));
        if (c.config == nullptr)
            qunsetenv("XDG_CONFIG_HOME");
        else if (QByteArray(c.config) == "@")
            qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.filePath("cfg")));
        else
            qputenv("XDG_CONFIG_HOME", c.config);
        for (const QString& folder : c.made)
            QDir().mkpath(scratch.filePath(folder));
        if (QByteArray(c.name) == "a file is no stick")
            QFile(scratch.filePath("cfg/ppsspp")).open(QIODevice::WriteOnly);

        FakeDriveSource volumes;
        volumes.roots = {"/", "/media/card"};
        DestinationDriveSource source(volumes);
        QStringList roots = volumes.roots;
        for (const QString& stick : c.sticks)
            roots << scratch.filePath(stick);
        EXPECT_EQ(source.Roots(), roots) << c.name;
        const std::vector<host::FolderDrive> drives = source.FolderDrives();
        ASSERT_EQ(drives.size(), std::size_t(c.sticks.size())) << c.name;
        for (std::size_t i = 0; i < drives.size(); ++i) {
            EXPECT_EQ(drives[i].root, roots[qsizetype(i) + 2]) << c.name;
            EXPECT_EQ(drives[i].label, c.labels[qsizetype(i)]) << c.name;
            EXPECT_EQ(drives[i].openAt, drives[i].root + "/PSP/flash0/font") << c.name;
        }
    }
}

TEST_F(EmulatorSticks, AStickMadeLaterIsPolledInAndAFailedReadStaysFailed) {
    qunsetenv("XDG_CONFIG_HOME");
    FakeDriveSource volumes;
    DestinationDriveSource source(volumes);
    ConversionSettings settings;
    DriveRootList list;
    settings.KnownDriveCount = EnumerateDrives(list, source);
    EXPECT_EQ(settings.KnownDriveCount, 1);
    QDir().mkpath(tmp.filePath("home/.config/ppsspp"));
    EXPECT_TRUE(PollDriveCount(settings, source));
    EXPECT_EQ(settings.KnownDriveCount, 2);

    volumes.failing = true;
    EXPECT_TRUE(source.Roots().isEmpty());
}

} // namespace
} // namespace korven::app
