#include "host/seams/DriveSource.h"

#ifdef Q_OS_WIN
#include <cstring>
#include <vector>
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

QStringList SystemDriveSource::Roots() {
    // The call writes every root followed by a NUL, and one more NUL after the last, and
    // answers with the count written without that final NUL, 0 on failure. When the buffer
    // is too small it writes nothing and answers with the length it needs. Twenty-six drive
    // letters fit in 105 characters; should the answer grow again between the two calls (a
    // network drive mapped in between), this read fails and the next one will do.
    std::vector<char> buffer(255);
    DWORD n = ::GetLogicalDriveStringsA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (n > buffer.size()) {
        buffer.assign(n, '\0');
        n = ::GetLogicalDriveStringsA(static_cast<DWORD>(buffer.size()), buffer.data());
    }
    QStringList roots;
    if (n == 0 || n >= buffer.size())
        return roots;
    for (std::size_t start = 0; start < n;) {
        const std::size_t length = std::strlen(buffer.data() + start);
        if (length == 0)
            break;
        roots.append(QFile::decodeName(QByteArray(buffer.data() + start, qsizetype(length))));
        start += length + 1;
    }
    return roots;
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

QStringList SystemDriveSource::Roots() {
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

#endif

} // namespace korven::host
