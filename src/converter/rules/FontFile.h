#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace korven::converter {

// A file that cannot be read or written; the message names the file and the system's reason.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The whole file. Throws FileError ("cannot read "x": No such file or directory").
std::vector<std::uint8_t> readWholeFile(const std::string& path);

} // namespace korven::converter
