#include "app/DriveEnumeration.h"

#include "support/FakeHost.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace korven::app
