#pragma once

#include <QString>
#include <QStringList>

namespace korven::host {

// Why a folder could not be read. The folder and drive lists tell the first two apart from
// every other failure, because the windows report them to the user.
enum class FolderError {
    None,
    DeviceUnavailable, // the volume is gone: unmounted, vanished, no such device
    DiskNotReady,      // the volume is there but cannot be read: I/O error, no medium,
                       // a network share that does not answer
    Other,             // missing folder, no permission, not a folder, ...
};

// Sorts a system error number (errno) into the three kinds above.
FolderError ClassifyFolderError(int systemError);

struct FolderListing {
    FolderError error = FolderError::None;
    int systemError = 0; // the errno behind `error`, for messages
    QStringList names;   // names only, no folder part, in no particular order
};

// Reads folder contents. The lists take one at construction so tests can stand in an
// unreadable disk without one.
class FolderReader {
public:
    virtual ~FolderReader() = default;
    // Folders directly inside `path`, without "." and "..".
    virtual FolderListing Subfolders(const QString& path) = 0;
    // Files (and links to files) directly inside `path`.
    virtual FolderListing Files(const QString& path) = 0;
};

// The real reader, straight on the system's directory calls so that the exact error of a
// failed read is kept.
class SystemFolderReader final : public FolderReader {
public:
    FolderListing Subfolders(const QString& path) override;
    FolderListing Files(const QString& path) override;
};

} // namespace korven::host
