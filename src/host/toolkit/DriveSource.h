#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace korven::host {

// The machine's list of volume roots, given the way the Windows drive-strings call gives
// it: every root followed by a NUL, and one more NUL after the last.
class DriveSource {
public:
    virtual ~DriveSource() = default;

    // When the answer fits in `bufferLength` characters (final NUL included), writes it to
    // `buffer` and returns the number of characters written without the final NUL. When it
    // does not fit, writes nothing and returns the length needed, final NUL included.
    // Returns 0 on failure.
    virtual std::uint32_t GetLogicalDriveStrings(std::uint32_t bufferLength, char* buffer) = 0;
};

// The roots as a list, asking again with a larger buffer when the first one is too small.
// An empty list means the source failed.
QStringList ReadDriveRoots(DriveSource& source);

// Writes `roots` in the drive-strings form, with the return contract of
// DriveSource::GetLogicalDriveStrings. Shared by every source.
std::uint32_t WriteDriveStrings(const QStringList& roots, std::uint32_t bufferLength, char* buffer);

// The root among `roots` that holds `path`: the longest root that is `path` itself or one
// of its ancestor folders. Empty when none does.
QString DriveOfPath(const QString& path, const QStringList& roots);

// One line of /proc/self/mountinfo, with the escapes of the mount point decoded.
struct MountEntry {
    QString mountPoint;
    QString root;       // the part of the file system mounted there; "/" for a whole one
    QString fileSystem; // file system type, such as ext4 or nfs4
    QString source;     // the device or share, such as /dev/sdb1 or server:/export
};

std::vector<MountEntry> ParseMountInfo(const QByteArray& text);

// True for a real volume: a block device, a removable medium or a network share. False for
// proc, sys, cgroup, tmpfs and the other file systems that only exist in memory.
bool IsVolume(const MountEntry& entry);

// The mount points of the real volumes in `text`, "/" first and always present, each once.
// `isFolder` decides whether a mount point is a folder (bind mounts of single files are not
// volumes); it is a parameter so tests need no real mounts.
QStringList VolumeRoots(const QByteArray& mountInfo, bool (*isFolder)(const QString&));

// The real source: the Windows call on Windows, the mount table elsewhere. Use it from one
// thread only (the user-interface thread): it keeps the open mount table between calls.
class SystemDriveSource final : public DriveSource {
public:
    SystemDriveSource();
    ~SystemDriveSource() override;
    SystemDriveSource(const SystemDriveSource&) = delete;
    SystemDriveSource& operator=(const SystemDriveSource&) = delete;

    std::uint32_t GetLogicalDriveStrings(std::uint32_t bufferLength, char* buffer) override;

private:
#ifndef Q_OS_WIN
    QStringList CurrentRoots();

    int mountTable_ = -1;
    QStringList roots_;
    QElapsedTimer lastRead_;
#endif
};

} // namespace korven::host
