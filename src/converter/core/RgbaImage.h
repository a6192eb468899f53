#pragma once

#include <cstdint>
#include <vector>

namespace korven::converter {

// An 8-bit RGBA image, rows from the top.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels; // 4 bytes per pixel
};

} // namespace korven::converter
