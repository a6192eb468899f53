#pragma once

#include <cstdint>

namespace korven::host {

// Colours travel through the program as 0x00BBGGRR: red in the low byte. The drawing image
// keeps 0xAARRGGBB, so every colour crosses between the two forms here and nowhere else.
using Colour = std::uint32_t;

// Booleans that the button stores and compares exactly: true is -1, false is 0. A stored 1
// is not true, and code that tests "== kTrue" relies on that.
using VbBool = std::int16_t;
inline constexpr VbBool kTrue = -1;
inline constexpr VbBool kFalse = 0;

inline constexpr Colour rgb(int red, int green, int blue) {
    return static_cast<Colour>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

// The high byte of a 0x00BBGGRR value is ignored when painting: only red, green and blue
// reach the image.
inline constexpr std::uint32_t toArgb(Colour c) {
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

inline constexpr Colour fromArgb(std::uint32_t argb) {
    return ((argb >> 16) & 0xFFu) | (argb & 0xFF00u) | ((argb & 0xFFu) << 16);
}

} // namespace korven::host
