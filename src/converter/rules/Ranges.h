#pragma once

#include <string>

namespace korven::converter {

// The sizes and shadows the converter takes. The command line and the window both read them
// from here, so neither can accept what the other refuses.
inline constexpr int kMinPixelSize = 6;
inline constexpr int kMaxPixelSize = 22;
inline constexpr double kMinShadowRadius = 1.0;
inline constexpr double kMaxShadowRadius = 4.0;

// Whole number from 6 to 22, digits only; -1 when the text is anything else.
int parsePixelSize(const std::string& text);
// "i" followed by a decimal number from 1 to 4 (digits, optionally a point and more digits);
// a negative value when the text is anything else.
double parseShadowRadius(const std::string& text);

// The ranges as messages name them: "6 to 22" and "1 to 4.0".
std::string pixelSizeRangeText();
std::string shadowRadiusRangeText();

} // namespace korven::converter
