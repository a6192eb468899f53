#include "converter/rules/FontFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace korven::converter {

namespace {

constexpr long kMaxFileBytes = 256L * 1024 * 1024; // far above any real font

std::string reason(int error) {
    return std::strerror(error);
}

} // namespace

std::vector<std::uint8_t> readWholeFile(const std::string& path) {
    auto fail = [&](int error) {
        return FileError("cannot read \"" + path + "\": " + reason(error));
    };
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        throw fail(errno);
    // One buffer of the file's size: growing a vector while reading would hold up to twice
    // the file at once, which for a large file is hundreds of megabytes.
    std::vector<std::uint8_t> bytes;
    struct stat info {};
    if (::fstat(::fileno(file), &info) == 0 && S_ISREG(info.st_mode)) {
        if (info.st_size > kMaxFileBytes) {
            std::fclose(file);
            throw fail(EFBIG);
        }
        bytes.reserve(static_cast<std::size_t>(info.st_size));
    }
    std::uint8_t buffer[65536];
    int error = 0;
    for (;;) {
        const std::size_t n = std::fread(buffer, 1, sizeof buffer, file);
        bytes.insert(bytes.end(), buffer, buffer + n);
        if (bytes.size() > static_cast<std::size_t>(kMaxFileBytes)) {
            error = EFBIG;
            break;
        }
        if (n < sizeof buffer) {
            if (std::ferror(file))
                error = errno != 0 ? errno : EIO;
            break;
        }
    }
    std::fclose(file);
    if (error != 0)
        throw fail(error);
    return bytes;
}

} // namespace korven::converter
