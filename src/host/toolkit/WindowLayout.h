#pragma once

#include "host/surface/Colour.h"

#include <QColor>
#include <QRect>
#include <cstdint>

// The windows' layouts are kept in twips and 0x00BBGGRR colours exactly as they were drawn,
// so the figures can be checked against the drawings; these turn them into what the toolkit
// takes. Every window uses these, so all of them agree on the conversion.
namespace korven::host {

// 96 dots per inch: 1440 twips per inch / 96. Every figure of the drawings lies on this grid,
// so the integer division is exact.
inline constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) {
    return twips / kTwipsPerPixel;
}

constexpr QRect TwipsToPixels(int left, int top, int width, int height) {
    return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                 TwipsToPixels(height));
}

// A 0x00BBGGRR colour (red in the low byte) as the toolkit's colour; the high byte is ignored.
inline QColor ColorFromBgr(std::uint32_t bgr) {
    return QColor::fromRgb(toArgb(bgr));
}

} // namespace korven::host
