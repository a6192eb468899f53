#pragma once

#include <string>

namespace korven::converter {

// Held by a run from the moment it tidies a folder until its last file there is written, so
// that no other run (a second ttf2pgf, or the window) takes its journal or hidden files for
// those of an interrupted run and "undoes" a set that is still being written. The lock is the
// kernel's (flock on the folder itself): it leaves no file behind and goes with the process
// however that ends, so a killed run never leaves the folder locked.
class FolderWriteLock {
public:
    FolderWriteLock() = default; // holds nothing
    // Takes `folder`'s lock without waiting. Where the folder cannot be opened or its file
    // system has no such locks, nothing is held and the folder does not count as busy.
    static FolderWriteLock tryTake(const std::string& folder);

    FolderWriteLock(FolderWriteLock&& other) noexcept;
    FolderWriteLock& operator=(FolderWriteLock&& other) noexcept;
    FolderWriteLock(const FolderWriteLock&) = delete;
    FolderWriteLock& operator=(const FolderWriteLock&) = delete;
    ~FolderWriteLock();

    // Another run holds the folder's lock now.
    bool busy() const { return busy_; }

private:
    int fd_ = -1;
    bool busy_ = false;
};

} // namespace korven::converter
