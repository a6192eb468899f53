#include "host/toolkit/DriveSource.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <QFile>

namespace korven::host {

#ifdef Q_OS_WIN

SystemDriveSource::SystemDriveSource() = default;
SystemDriveSource::~SystemDriveSource() = default;

std::uint32_t SystemDriveSource::GetLogicalDriveStrings(std::uint32_t bufferLength, char* buffer) {
    return ::GetLogicalDriveStringsA(bufferLength, buffer);
}

#else

namespace {

bool IsFolder(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The whole table, read from the start of the open table `fd` with plain system calls.
QByteArray ReadAll(int fd) {
    QByteArray text;
    if (::lseek(fd, 0, SEEK_SET) < 0)
        return text;
    char chunk[16384];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got <= 0)
            break;
        text.append(chunk, got);
    }
    return text;
}

} // namespace

SystemDriveSource::SystemDriveSource() = default;

SystemDriveSource::~SystemDriveSource() {
    if (mountTable_ >= 0)
        ::close(mountTable_);
}

QStringList SystemDriveSource::CurrentRoots() {
    // The table is polled twice a second, and reading it costs the kernel a walk over every
    // mount. The kernel flags the open table when anything is mounted or unmounted, so it
    // is read again only then.
    if (mountTable_ < 0) {
        mountTable_ = ::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
        if (mountTable_ < 0)
            return {QStringLiteral("/")}; // no table to read: the root is still there
        roots_ = VolumeRoots(ReadAll(mountTable_), &IsFolder);
        return roots_;
    }
    pollfd watch{mountTable_, POLLPRI, 0};
    if (::poll(&watch, 1, 0) > 0 && (watch.revents & (POLLPRI | POLLERR)) != 0)
        roots_ = VolumeRoots(ReadAll(mountTable_), &IsFolder);
    return roots_;
}

std::uint32_t SystemDriveSource::GetLogicalDriveStrings(std::uint32_t bufferLength, char* buffer) {
    return WriteDriveStrings(CurrentRoots(), bufferLength, buffer);
}

#endif

} // namespace korven::host
