#pragma once

#include "converter/core/RgbaImage.h"

#include <cstdint>
#include <vector>

namespace korven::converter {

// The PNG file for an image. Throws std::runtime_error if libpng fails.
std::vector<std::uint8_t> encodePng(const RgbaImage& image);

} // namespace korven::converter
