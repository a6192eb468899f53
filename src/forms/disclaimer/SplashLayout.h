#pragma once

#include <QRect>
#include <QSize>
#include <cstdint>

// The disclaimer window's fixed layout in twips, as drawn; converted to pixels at 15
// twips per pixel (every figure lies on that grid). Places inside Frame1 are measured
// from the frame's top-left corner.
namespace korven::forms::splash {

inline constexpr int kTwipsPerPixel = 15;
constexpr int Px(int twips) {
    return twips / kTwipsPerPixel;
}
constexpr QRect PxRect(int left, int top, int width, int height) {
    return QRect(Px(left), Px(top), Px(width), Px(height));
}

inline constexpr QSize kClientSize{Px(7755), Px(4335)};
inline constexpr QRect kFrame1 = PxRect(120, 120, 7545, 4155);

inline constexpr QRect kXPButton1 = PxRect(6000, 3600, 1455, 375);
inline constexpr QRect kXPButton2 = PxRect(120, 3600, 1455, 375);
inline constexpr QRect kLabel2 = PxRect(120, 3120, 6855, 315);
inline constexpr QRect kLabel1 = PxRect(5520, 840, 1455, 615);
inline constexpr QRect kImage1 = PxRect(4560, 1920, 2445, 495);
inline constexpr QRect kImgLogo = PxRect(480, 1320, 1455, 1185);
inline constexpr QRect kLblWarning = PxRect(120, 2760, 6255, 315);
inline constexpr QRect kLblVersion = PxRect(2160, 1080, 885, 285);
inline constexpr QRect kLblProductName = PxRect(120, 240, 2160, 675);

// Colours as 0x00BBGGRR, red in the low byte.
inline constexpr std::uint32_t kWarningColor = 0x000000FF;
inline constexpr std::uint32_t kButtonBackColor = 0x00E3DFE0;
inline constexpr std::uint32_t kButtonForeColor = 0x00000000;
inline constexpr int kButtonType = 4;
inline constexpr int kButtonColorScheme = 1;

} // namespace korven::forms::splash
