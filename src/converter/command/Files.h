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

// Makes an interrupt or termination signal remove a temporary file that writeFileAtomically is
// still writing, before the program ends as the signal would end it.
void removeTemporaryFileOnSignals();

} // namespace korven::converter
