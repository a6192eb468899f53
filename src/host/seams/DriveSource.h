#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace korven::host {

// The machine's volume roots: drive letters such as C:\ on Windows, mount points elsewhere.
class DriveSource {
public:
    virtual ~DriveSource() = default;

    // The roots in the order the system gives them. Empty when the system could not be
    // asked: a machine always has at least one root, so an empty list is a failed read.
    virtual QStringList Roots() = 0;
};

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

    QStringList Roots() override;

private:
#ifndef Q_OS_WIN
    int mountTable_ = -1;
    QStringList roots_;
#endif
};

} // namespace korven::host
