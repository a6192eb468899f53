#pragma once

#include <cstdint>
#include <vector>

namespace korven::converter {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

// An 8-bit RGBA image, rows from the top.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels; // 4 bytes per pixel
};

} // namespace korven::converter
