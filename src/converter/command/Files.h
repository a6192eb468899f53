#pragma once

#include "converter/rules/FontFile.h"

#include <cstdint>
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
void writeFilesTogether(const std::vector<FileContents>& files);

// Makes an interrupt or termination signal undo a write that writeFileAtomically or
// writeFilesTogether has not finished (temporary files removed, earlier files put back) before
// the program ends as the signal would end it.
void removeTemporaryFileOnSignals();

} // namespace korven::converter
