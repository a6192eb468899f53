#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

// Whole-number helpers shared by the looks and the live control.
namespace korven::xpbutton {

// Stored sizes and offsets can be any 32-bit value, so edges are added in 64 bits and brought
// back to the nearest 32-bit value.
inline std::int32_t sat(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// A red, green or blue value brought into 0..255.
inline int ClampChannel(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, 0, 255));
}

// Nearest integer, a tie going to the even one. Values beyond any size a caller can mean
// (and NaN) give the 64-bit limit of their sign.
inline std::int64_t RoundHalfEven(double v) {
    constexpr double kLimit = 9.0e18;
    if (!(v > -kLimit && v < kLimit)) {
        return v > 0 ? std::numeric_limits<std::int64_t>::max()
                     : std::numeric_limits<std::int64_t>::min();
    }
    const double whole = std::floor(v);
    const double fraction = v - whole;
    auto n = static_cast<std::int64_t>(whole);
    if (fraction > 0.5 || (fraction == 0.5 && (n & 1) != 0)) {
        ++n;
    }
    return n;
}

} // namespace korven::xpbutton
