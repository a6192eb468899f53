#pragma once

#include <QRect>

// The About window's fixed layout in twips, as drawn; the window converts to pixels at
// 15 twips per pixel (every figure lies on that grid).
namespace korven::forms::about {

inline constexpr int kTwipsPerPixel = 15;
constexpr int Px(int twips) {
    return twips / kTwipsPerPixel;
}
constexpr QRect PxRect(int left, int top, int width, int height) {
    return QRect(Px(left), Px(top), Px(width), Px(height));
}

inline constexpr QSize kClientSize{Px(5730), Px(2625)};
// The text box is 45 twips wider than the window, so the window cuts off its right edge.
inline constexpr QRect kText2 = PxRect(0, 0, 5775, 1455);
inline constexpr QRect kCmdOk = PxRect(2280, 2160, 1260, 345);
inline constexpr QRect kLblDisclaimer = PxRect(0, 1680, 5655, 345);

// The separator: a grey hairline and a two-pixel white line, both starting at the left
// edge on the same row and ending a little short of the right edge.
inline constexpr int kSeparatorY = Px(1560);
inline constexpr int kGreyLineEndX = Px(5564);
inline constexpr int kWhiteLineEndX = Px(5549);

inline constexpr unsigned kWarningColor = 0x000000FF; // 0x00BBGGRR: red
inline constexpr unsigned kGreyLineColor = 0x00808080;
inline constexpr unsigned kWhiteLineColor = 0x00FFFFFF;

} // namespace korven::forms::about
