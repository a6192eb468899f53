#include "host/seams/DriveSource.h"

#include <gtest/gtest.h>

namespace korven::host {
namespace {

// A desktop's table: the root disk, a home partition, a USB stick with a blank in its
// label, a network share, and the usual in-memory file systems.
const QByteArray kMountInfo =
    "22 27 0:21 / /proc rw,relatime - proc proc rw\n"
    "23 27 0:22 / /sys rw,relatime - sysfs sysfs rw\n"
    "24 27 0:6 / /dev rw,relatime - devtmpfs udev rw,size=1k\n"
    "27 1 254:0 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n"
    "28 27 254:1 / /home rw,relatime shared:2 - ext4 /dev/sda3 rw\n"
    "31 23 0:28 / /sys/fs/cgroup rw,relatime - tmpfs tmpfs rw,mode=755\n"
    "32 31 0:29 / /sys/fs/cgroup/cpu rw,relatime - cgroup cgroup rw,cpu\n"
    "41 31 0:38 / /sys/fs/cgroup/unified rw,relatime - cgroup2 cgroup2 rw\n"
    "50 27 0:40 / /run/user/1000 rw - tmpfs tmpfs rw\n"
    "60 50 8:17 / /media/u/MY\\040STICK rw,nosuid shared:9 - vfat /dev/sdb1 rw\n"
    "61 27 0:50 / /mnt/share rw - nfs4 server:/export rw\n"
    "62 27 254:0 /var/lib/hosts /etc/hosts rw - ext4 /dev/sda2 rw\n";

bool EverythingIsAFolder(const QString&) {
    return true;
}
bool HostsIsAFile(const QString& path) {
    return path != "/etc/hosts";
}

TEST(MountTable, ParsesFieldsAndDecodesEscapedBlanks) {
    const std::vector<MountEntry> entries = ParseMountInfo(kMountInfo);
    ASSERT_EQ(entries.size(), 12u);
    EXPECT_EQ(entries[9].mountPoint, "/media/u/MY STICK");
    EXPECT_EQ(entries[9].fileSystem, "vfat");
    EXPECT_EQ(entries[9].source, "/dev/sdb1");
    EXPECT_EQ(entries[11].root, "/var/lib/hosts");
}

TEST(MountTable, RealVolumesOnlyRootFirst) {
    EXPECT_EQ(VolumeRoots(kMountInfo, &HostsIsAFile),
              QStringList({"/", "/home", "/media/u/MY STICK", "/mnt/share"}));
}

TEST(MountTable, RootIsPresentEvenWhenTheTableLacksIt) {
    EXPECT_EQ(VolumeRoots("", &EverythingIsAFolder), QStringList({"/"}));
    const QByteArray overlayRoot = "1 0 0:5 / / rw - overlay overlay rw\n"
                                   "2 1 8:1 / /data rw - xfs /dev/sdc1 rw\n";
    EXPECT_EQ(VolumeRoots(overlayRoot, &EverythingIsAFolder), QStringList({"/", "/data"}));
}

TEST(MountTable, MalformedLinesAreSkipped) {
    EXPECT_TRUE(ParseMountInfo("garbage\n1 2 3\n\n- - -\n").empty());
}

TEST(DriveOfPath, LongestWholeComponentPrefixWins) {
    const QStringList roots{"/", "/media/usb", "/media/usb/inner"};
    EXPECT_EQ(DriveOfPath("/media/usb/fonts", roots), "/media/usb");
    EXPECT_EQ(DriveOfPath("/media/usb", roots), "/media/usb");
    EXPECT_EQ(DriveOfPath("/media/usb2/fonts", roots), "/");
    EXPECT_EQ(DriveOfPath("/media/usb/inner/x", roots), "/media/usb/inner");
    EXPECT_EQ(DriveOfPath("E:\\Fonts", {"C:\\", "E:\\"}), "E:\\");
    EXPECT_EQ(DriveOfPath("relative", {"/"}), "");
}

TEST(SystemDriveSource, ListsTheRootFirst) {
    SystemDriveSource source;
    const QStringList roots = source.Roots();
    ASSERT_FALSE(roots.isEmpty());
    EXPECT_EQ(roots.first(), "/");
    EXPECT_EQ(source.Roots(), roots) << "nothing mounted in between: the same answer";
}

} // namespace
} // namespace korven::host
