#include "app/DriveEnumeration.h"

#include "support/FakeHost.h"

#include <gtest/gtest.h>

namespace korven::app {
namespace {

using host::testing::FakeDriveSource;

TEST(EnumerateDrives, ThreeWindowsRootsGiveTwelveCharactersAndThree) {
    FakeDriveSource source;
    source.roots = {"A:\\", "C:\\", "D:\\"};
    char buffer[255];
    std::memset(buffer, ' ', sizeof buffer);
    ASSERT_EQ(source.GetLogicalDriveStrings(255, buffer), 12u);
    EXPECT_EQ(QByteArray(buffer, 14), QByteArray("A:\\\0C:\\\0D:\\\0\0 ", 14));

    DriveRootList list;
    list.Add("stale");
    EXPECT_EQ(EnumerateDrives(list, source), 3);
    EXPECT_EQ(list.Items(), QStringList({"A:\\", "C:\\", "D:\\"}));
}

TEST(EnumerateDrives, FailedCallCountsZeroAndEmptiesTheList) {
    FakeDriveSource source;
    source.failing = true;
    DriveRootList list;
    list.Add("/");
    EXPECT_EQ(EnumerateDrives(list, source), 0);
    EXPECT_EQ(list.Count(), 0);
}

TEST(EnumerateDrives, LongMountPointsBeyondTheFirstBufferAreAllCounted) {
    FakeDriveSource source;
    source.roots = {"/"};
    for (int i = 0; i < 40; ++i)
        source.roots << QStringLiteral("/run/media/someone/REMOVABLE_DISK_%1").arg(i);
    DriveRootList list;
    EXPECT_EQ(EnumerateDrives(list, source), 41);
    EXPECT_EQ(list.Items(), source.roots);
    EXPECT_EQ(source.calls, 2); // one too small, one with the length asked for
}

TEST(EnumerateDrives, RepeatedRootIsCountedOnce) {
    FakeDriveSource source;
    source.roots = {"/", "/mnt/a", "/mnt/a"};
    DriveRootList list;
    EXPECT_EQ(EnumerateDrives(list, source), 2);
}

TEST(EnumerateDrives, NonAsciiMountPointSurvives) {
    FakeDriveSource source;
    source.roots = {"/", QString::fromUtf8("/media/u/CLÉ USB")};
    DriveRootList list;
    EnumerateDrives(list, source);
    EXPECT_TRUE(list.Contains(QString::fromUtf8("/media/u/CLÉ USB")));
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

} // namespace
} // namespace korven::app
