#pragma once

#include "host/toolkit/WindowLayout.h"

#include <QRect>

// The About window's fixed layout in twips, as drawn; the window converts to pixels at
// 15 twips per pixel (every figure lies on that grid).
namespace korven::forms::about {

using host::TwipsToPixels;

inline constexpr QSize kClientSize{TwipsToPixels(5730), TwipsToPixels(2625)};
// The text box is 45 twips wider than the window, so the window cuts off its right edge.
inline constexpr QRect kText2 = TwipsToPixels(0, 0, 5775, 1455);
inline constexpr QRect kCmdOk = TwipsToPixels(2280, 2160, 1260, 345);
inline constexpr QRect kLblDisclaimer = TwipsToPixels(0, 1680, 5655, 345);

// The separator: a grey hairline and a two-pixel white line, both starting at the left
// edge on the same row and ending a little short of the right edge.
inline constexpr int kSeparatorY = TwipsToPixels(1560);
inline constexpr int kGreyLineEndX = TwipsToPixels(5564);
inline constexpr int kWhiteLineEndX = TwipsToPixels(5549);

inline constexpr unsigned kWarningColor = 0x000000FF; // 0x00BBGGRR: red
inline constexpr unsigned kGreyLineColor = 0x00808080;
inline constexpr unsigned kWhiteLineColor = 0x00FFFFFF;

} // namespace korven::forms::about
