#include "converter/command/Files.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korven::converter {

namespace {

// The temporary file being written, for the signal handler (which may only use plain memory).
char pendingTemp[4096];
volatile std::sig_atomic_t havePendingTemp = 0;

std::string reason(int error) {
    return std::strerror(error);
}

FileError writeError(const std::string& path, int error) {
    return FileError("cannot write \"" + path + "\": " + reason(error));
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

mode_t modeForNewFile(const std::string& path) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0)
        return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool writeAll(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

void forgetTemp() {
    havePendingTemp = 0;
}

extern "C" void removeTempAndReraise(int signal) {
    if (havePendingTemp)
        ::unlink(pendingTemp);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

void writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    const std::string folder = folderOf(path);
    const std::string base = path.substr(path.find_last_of('/') + 1);
    if (base.empty())
        throw writeError(path, EISDIR);
    std::string temp = folder + "/." + base + ".XXXXXX";
    if (temp.size() >= sizeof pendingTemp)
        throw writeError(path, ENAMETOOLONG);
    const mode_t mode = modeForNewFile(path);

    std::memcpy(pendingTemp, temp.c_str(), temp.size() + 1);
    const int fd = ::mkstemp(pendingTemp);
    if (fd < 0) {
        const int error = errno;
        struct stat info {};
        if ((error == ENOENT || error == ENOTDIR) &&
            (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)))
            throw FileError("cannot write \"" + path + "\": the folder \"" + folder +
                            "\" does not exist");
        throw writeError(path, error);
    }
    temp = pendingTemp;
    havePendingTemp = 1;

    auto abandon = [&](int error) {
        ::unlink(temp.c_str());
        forgetTemp();
        return writeError(path, error);
    };
    if (!writeAll(fd, bytes) || ::fchmod(fd, mode) != 0 || ::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        throw abandon(error);
    }
    if (::close(fd) != 0)
        throw abandon(errno);
    if (::rename(temp.c_str(), path.c_str()) != 0)
        throw abandon(errno);
    forgetTemp();
    // Make the rename itself durable; failing to sync the folder does not undo the write.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

void removeTemporaryFileOnSignals() {
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        std::signal(signal, removeTempAndReraise);
}

} // namespace korven::converter
