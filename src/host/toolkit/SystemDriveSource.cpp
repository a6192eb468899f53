#include "host/toolkit/DriveSource.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <QFile>

namespace korven::host {

#ifdef Q_OS_WIN

std::uint32_t SystemDriveSource::GetLogicalDriveStrings(std::uint32_t bufferLength, char* buffer) {
    return ::GetLogicalDriveStringsA(bufferLength, buffer);
}

#else

namespace {

bool IsFolder(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The mount table is read with plain system calls: it is polled twice a second and must
// stay cheap.
QByteArray ReadMountInfo() {
    QByteArray text;
    const int fd = ::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return text;
    char chunk[16384];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got <= 0)
            break;
        text.append(chunk, got);
    }
    ::close(fd);
    return text;
}

} // namespace

std::uint32_t SystemDriveSource::GetLogicalDriveStrings(std::uint32_t bufferLength, char* buffer) {
    const QByteArray mountInfo = ReadMountInfo();
    // Without a readable mount table the root is still there, so "/" is the answer.
    return WriteDriveStrings(VolumeRoots(mountInfo, &IsFolder), bufferLength, buffer);
}

#endif

} // namespace korven::host
