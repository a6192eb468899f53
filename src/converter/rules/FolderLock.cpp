#include "converter/rules/FolderLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace korven::converter {

FolderWriteLock FolderWriteLock::tryTake(const std::string& folder) {
    FolderWriteLock lock;
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return lock;
    int result = 0;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) {
        lock.fd_ = fd;
        return lock;
    }
    lock.busy_ = errno == EWOULDBLOCK;
    ::close(fd);
    return lock;
}

FolderWriteLock::FolderWriteLock(FolderWriteLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), busy_(std::exchange(other.busy_, false)) {}

FolderWriteLock& FolderWriteLock::operator=(FolderWriteLock&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        busy_ = std::exchange(other.busy_, false);
    }
    return *this;
}

// Closing the folder releases its lock.
FolderWriteLock::~FolderWriteLock() {
    if (fd_ >= 0)
        ::close(fd_);
}

} // namespace korven::converter
