#pragma once

#include "converter/rules/FontFile.h"

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace korven::converter {

// Replaces `path` with `bytes` so that readers only ever see the old file or the complete new
// one: the bytes go to a temporary file in the same folder, are flushed to the disk, and the
// temporary file is renamed over `path`. On any failure the temporary file is removed, `path` is
// untouched, and FileError is thrown. A new file gets the usual permissions (0666 less the
// umask); a replaced file keeps its own.
void writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

// One file of a set that is written together.
struct FileContents {
    std::string path;
    std::span<const std::uint8_t> bytes;
};

// Replaces several files so that either all of them hold their new bytes or every one is as it
// was: each new file is first written completely to a temporary file beside it; only then are
// the earlier files kept aside (as a hard link where the file system has them) and the new
// ones renamed into place, one by one. When any step fails, the files already replaced get
// their earlier file back, new ones are removed, and no temporary or kept-aside file is left
// behind; FileError then names the file that failed. One set at a time per process.
//
// Files of one folder survive the process's end too: before the first earlier file is touched
// a journal naming every file, temporary file and kept-aside name is flushed into the folder,
// and it is removed after the last rename; finishInterruptedWrite reads it.
void writeFilesTogether(const std::vector<FileContents>& files);

// Bytes to be written into one folder, file by file; for checkRoom.
struct RoomNeed {
    std::string folder;
    std::vector<std::uint64_t> fileBytes;
};

class NoRoomError : public FileError {
public:
    using FileError::FileError;
};

// Throws NoRoomError, "not enough room in "DIR": 1104 kB needed, 512 kB free", when the file
// system of a folder (or of its nearest existing parent) has less room free than the files
// need, counted in whole blocks; needs that land on one file system are added up.
void checkRoom(const std::vector<RoomNeed>& needs);

// Makes an interrupt or termination signal undo a write that writeFileAtomically or
// writeFilesTogether has not finished (temporary files removed, earlier files put back) before
// the program ends as the signal would end it.
void removeTemporaryFileOnSignals();

// For tests: writeFilesTogether stops after its step `step` (counted from 1: each temporary
// file written, the journal, each file kept aside, each rename, the journal removed, each
// kept-aside file removed) as if the process had been killed there, leaving the files as they
// are, by throwing StoppedForTesting. 0 turns it off.
struct StoppedForTesting {};
void stopWritesAfterStepForTesting(int step);

// For tests: false keeps earlier files aside as a file system without hard links makes it do.
void useHardLinksForTesting(bool use);

// For tests: the room checkRoom takes as free on every file system; nothing for the real room.
void setFreeRoomForTesting(std::optional<std::uint64_t> bytes);

} // namespace korven::converter
