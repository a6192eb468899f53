#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace korven::converter {

// All of `bytes` written to the open file `fd`, going on after a signal interrupts the write.
// False on failure, with errno set (ENOSPC when the disk took nothing more).
bool writeAll(int fd, std::span<const std::uint8_t> bytes);

// Makes the names just made, renamed or removed in `folder` last through a power cut. A folder
// that cannot be synced is left as it is: the files in it are on the disk already.
void syncFolder(const std::string& folder);

} // namespace korven::converter
