#include "converter/command/Files.h"

#include "converter/rules/DiskWrites.h"
#include "converter/rules/Journal.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace korven::converter {

namespace {

// Steps to take back if the program ends, or a write fails, before the write is done, newest
// last. Plain memory, so the signal handler may read it: a step with `restoreTo` renames `path`
// back over it (an earlier file kept aside), one without removes `path` (a temporary or new
// file). A step is written in full before the count takes it in.
struct UndoStep {
    char path[4096];
    char restoreTo[4096];
};
constexpr int kMostUndoSteps = 40; // a set of sixteen takes two a file and one for its journal
UndoStep undoSteps[kMostUndoSteps];
volatile std::sig_atomic_t undoCount = 0;

std::string reason(int error) {
    return std::strerror(error);
}

FileError writeError(const std::string& path, int error) {
    return FileError("cannot write \"" + path + "\": " + reason(error));
}

// Adds a step and returns its place. Throws FileError naming `path` when a name is too long.
int remember(const std::string& path, const std::string& forFile, const std::string& restoreTo) {
    const int at = undoCount;
    if (at >= kMostUndoSteps)
        throw writeError(forFile, EMFILE);
    UndoStep& step = undoSteps[at];
    if (path.size() >= sizeof step.path || restoreTo.size() >= sizeof step.restoreTo)
        throw writeError(forFile, ENAMETOOLONG);
    std::memcpy(step.path, path.c_str(), path.size() + 1);
    std::memcpy(step.restoreTo, restoreTo.c_str(), restoreTo.size() + 1);
    undoCount = at + 1;
    return at;
}

// Only system calls a signal handler may make. Renaming a hard link over the file it links to
// does nothing, so the link is removed afterwards either way.
void undoStep(const UndoStep& step) {
    if (step.restoreTo[0])
        ::rename(step.path, step.restoreTo);
    ::unlink(step.path);
}

// Takes back the steps from `first` on, newest first, and forgets them.
void undoFrom(int first) {
    for (int i = undoCount - 1; i >= first; --i) {
        undoStep(undoSteps[i]);
        undoCount = i;
    }
}

void forgetFrom(int first) {
    undoCount = first;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseOf(const std::string& path) {
    return path.substr(path.find_last_of('/') + 1);
}

mode_t modeForNewFile(const std::string& path) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0)
        return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes the bytes that will replace `path` to a new temporary file beside it, flushed to the
// disk, with the permissions `path` has (or a new file gets), and returns its name. Its undo
// step removes it. On failure nothing is left and FileError names `path`.
std::string writeTemporary(const std::string& path, std::span<const std::uint8_t> bytes) {
    const std::string folder = folderOf(path);
    const std::string base = baseOf(path);
    if (base.empty())
        throw writeError(path, EISDIR);
    std::string temp = folder + "/." + base + ".XXXXXX";
    const mode_t mode = modeForNewFile(path);
    // The step is in place before the file exists, so that no signal can leave it behind.
    const int step = remember(temp, path, {});
    const int fd = ::mkstemp(undoSteps[step].path);
    if (fd < 0) {
        const int error = errno;
        forgetFrom(step);
        struct stat info {};
        if ((error == ENOENT || error == ENOTDIR) &&
            (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)))
            throw FileError("cannot write \"" + path + "\": the folder \"" + folder +
                            "\" does not exist");
        throw writeError(path, error);
    }
    temp = undoSteps[step].path;
    auto abandon = [&](int error) {
        undoFrom(step);
        return writeError(path, error);
    };
    if (!writeAll(fd, bytes) || ::fchmod(fd, mode) != 0 || ::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        throw abandon(error);
    }
    if (::close(fd) != 0)
        throw abandon(errno);
    return temp;
}

// A name beside `path` to keep its earlier file under while the new one replaces it, not yet
// taken: ".ltn0.pgf.old-1a2b3c4d".
std::string asideName(const std::string& path) {
    static std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, ".old-%08x", static_cast<unsigned>(random()));
        const std::string aside = folderOf(path) + "/." + baseOf(path) + suffix;
        struct stat taken {};
        if (::lstat(aside.c_str(), &taken) != 0)
            return aside;
    }
    throw writeError(path, EEXIST);
}

// Keeps the earlier file at `path` aside as `aside`, with an undo step that puts it back. A
// hard link keeps the earlier file in place until the new one replaces it; a file system
// without hard links (a memory stick's) has it moved.
bool hardLinks = true;

void keepAside(const std::string& path, const std::string& aside) {
    const int step = remember(aside, path, path);
    if (hardLinks && ::link(path.c_str(), aside.c_str()) == 0)
        return;
    int error = hardLinks ? errno : EPERM;
    if (error != EEXIST) {
        // No hard links here: the earlier file is moved aside, unless the name is taken.
        struct stat taken {};
        if (::lstat(aside.c_str(), &taken) == 0)
            error = EEXIST;
        else if (::rename(path.c_str(), aside.c_str()) == 0)
            return;
        else
            error = errno;
    }
    forgetFrom(step);
    throw writeError(path, error);
}

int stopAfterStep = 0;
int stepsTaken = 0;

// Counts a step of writeFilesTogether, for the tests that stop it half way.
void stepDone() {
    if (stopAfterStep > 0 && ++stepsTaken == stopAfterStep)
        throw StoppedForTesting{};
}

std::optional<std::uint64_t> freeRoomForTesting;

extern "C" void removeTempAndReraise(int signal) {
    for (int i = undoCount - 1; i >= 0; --i)
        undoStep(undoSteps[i]);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

void writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    const int first = undoCount;
    const std::string temp = writeTemporary(path, bytes);
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int error = errno;
        undoFrom(first);
        throw writeError(path, error);
    }
    forgetFrom(first);
    syncFolder(folderOf(path));
}

void writeFilesTogether(const std::vector<FileContents>& files) {
    const int first = undoCount;
    stepsTaken = 0;
    std::vector<std::string> temps, asides;
    std::vector<JournalEntry> journal;
    const bool oneFolder = std::all_of(files.begin(), files.end(), [&](const FileContents& f) {
        return folderOf(f.path) == folderOf(files.front().path);
    });
    try {
        for (const FileContents& file : files) {
            temps.push_back(writeTemporary(file.path, file.bytes));
            stepDone();
        }
        for (std::size_t i = 0; i < files.size(); ++i) {
            struct stat existing {};
            const bool earlier = ::lstat(files[i].path.c_str(), &existing) == 0;
            // A folder of that name is left alone: the rename below fails on it.
            asides.push_back(earlier && !S_ISDIR(existing.st_mode) ? asideName(files[i].path)
                                                                   : std::string());
            journal.push_back({baseOf(files[i].path), baseOf(temps[i]),
                               asides[i].empty() ? std::string() : baseOf(asides[i])});
        }
        if (oneFolder && !files.empty()) {
            const std::string folder = folderOf(files.front().path);
            const std::string path = journalPathIn(folder);
            remember(path, path, {});
            writeJournal(path, journal);
            syncFolder(folder);
            stepDone();
        }
        for (std::size_t i = 0; i < files.size(); ++i) {
            const std::string& path = files[i].path;
            if (!asides[i].empty()) {
                keepAside(path, asides[i]);
                stepDone();
            } else {
                remember(path, path, {}); // new: removed if the set fails
            }
            if (::rename(temps[i].c_str(), path.c_str()) != 0)
                throw writeError(path, errno);
            stepDone();
        }
        std::string synced;
        for (const FileContents& file : files)
            if (const std::string folder = folderOf(file.path); folder != synced)
                syncFolder(synced = folder);
        // The renames are on the disk before the journal goes: a journal left without them
        // would be undone over the new files.
        if (oneFolder && !files.empty()) {
            ::unlink(journalPathIn(folderOf(files.front().path)).c_str());
            forgetFrom(first);
            syncFolder(folderOf(files.front().path));
            stepDone();
        }
        forgetFrom(first);
        for (const std::string& aside : asides)
            if (!aside.empty()) {
                ::unlink(aside.c_str());
                stepDone();
            }
    } catch (const FileError&) {
        undoFrom(first);
        throw;
    } catch (const StoppedForTesting&) {
        forgetFrom(first);
        throw;
    }
    if (!files.empty())
        syncFolder(folderOf(files.front().path));
}

void removeTemporaryFileOnSignals() {
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        std::signal(signal, removeTempAndReraise);
}

void stopWritesAfterStepForTesting(int step) {
    stopAfterStep = step;
    stepsTaken = 0;
}

void useHardLinksForTesting(bool use) {
    hardLinks = use;
}

void setFreeRoomForTesting(std::optional<std::uint64_t> bytes) {
    freeRoomForTesting = bytes;
}

void checkRoom(const std::vector<RoomNeed>& needs) {
    struct Device {
        std::string folder;
        dev_t id;
        std::uint64_t block;
        std::uint64_t free;
        std::uint64_t needed = 0;
    };
    std::vector<Device> devices;
    for (const RoomNeed& need : needs) {
        // A folder that is still to be made lands on its nearest existing parent's disk.
        std::string existing = need.folder.empty() ? "." : need.folder;
        struct stat info {};
        struct statvfs room {};
        while (::stat(existing.c_str(), &info) != 0 && existing != "/" && existing != ".")
            existing = folderOf(existing);
        // Unknown room (or a file system that counts no blocks, as /proc): the writes will tell.
        if (::statvfs(existing.c_str(), &room) != 0 || room.f_blocks == 0)
            continue;
        auto device = std::find_if(devices.begin(), devices.end(),
                                   [&](const Device& d) { return d.id == info.st_dev; });
        if (device == devices.end()) {
            const std::uint64_t block = room.f_frsize ? room.f_frsize : room.f_bsize;
            devices.push_back({need.folder, info.st_dev, block ? block : 4096,
                               freeRoomForTesting.value_or(std::uint64_t{room.f_bavail} * block)});
            device = devices.end() - 1;
        }
        for (const std::uint64_t bytes : need.fileBytes)
            device->needed += (bytes + device->block - 1) / device->block * device->block;
    }
    for (const Device& d : devices)
        if (d.needed > d.free)
            throw NoRoomError("not enough room in \"" + d.folder +
                              "\": " + std::to_string((d.needed + 1023) / 1024) + " kB needed, " +
                              std::to_string(d.free / 1024) + " kB free");
}

} // namespace korven::converter
