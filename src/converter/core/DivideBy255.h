#pragma once

#include <cstdint>

namespace korven::converter {

// x / 255 with shifts instead of a division, exact for x from 0 to 65534. The grey levels and
// the shadow levels both divide by 255 for every pixel, and this form lets those loops run on
// vectors of 16-bit values.
constexpr std::uint16_t divideBy255(std::uint16_t x) {
    return static_cast<std::uint16_t>((x + 1 + (x >> 8)) >> 8);
}

namespace detail {
constexpr bool divideBy255IsExact() {
    for (std::uint32_t x = 0; x <= 65534; ++x)
        if (divideBy255(static_cast<std::uint16_t>(x)) != x / 255)
            return false;
    return true;
}
static_assert(divideBy255IsExact());
} // namespace detail

} // namespace korven::converter
