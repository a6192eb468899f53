#include "converter/rules/Ranges.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace korven::converter {

namespace {

bool allDigits(const std::string& s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

} // namespace

int parsePixelSize(const std::string& text) {
    // A digit count check first keeps strtol away from overflow.
    if (!allDigits(text) || text.size() > 4)
        return -1;
    const int value = static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
    return value >= kMinPixelSize && value <= kMaxPixelSize ? value : -1;
}

double parseShadowRadius(const std::string& text) {
    if (text.size() < 2 || text.size() > 16 || text[0] != 'i')
        return -1;
    const std::string number = text.substr(1);
    const std::size_t point = number.find('.');
    const std::string whole = number.substr(0, point);
    const std::string fraction = point == std::string::npos ? "1" : number.substr(point + 1);
    // Plain decimals only: no signs, exponents, "nan" or "inf" that strtod would accept.
    if (!allDigits(whole) || !allDigits(fraction))
        return -1;
    const double value = std::strtod(number.c_str(), nullptr);
    return value >= kMinShadowRadius && value <= kMaxShadowRadius ? value : -1;
}

std::string pixelSizeRangeText() {
    return std::to_string(kMinPixelSize) + " to " + std::to_string(kMaxPixelSize);
}

std::string shadowRadiusRangeText() {
    // The top is written with its decimal, to say that fractions are taken.
    char text[32];
    std::snprintf(text, sizeof text, "%g to %.1f", kMinShadowRadius, kMaxShadowRadius);
    return text;
}

} // namespace korven::converter
