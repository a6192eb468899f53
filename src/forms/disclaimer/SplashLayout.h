#pragma once

#include "controls/xpbutton/ButtonProperties.h"
#include "host/toolkit/WindowLayout.h"

#include <QRect>
#include <QSize>
#include <cstdint>

// The disclaimer window's fixed layout in twips, as drawn; converted to pixels at 15
// twips per pixel (every figure lies on that grid). Places inside Frame1 are measured
// from the frame's top-left corner.
namespace korven::forms::splash {

using host::TwipsToPixels;

inline constexpr QSize kClientSize{TwipsToPixels(7755), TwipsToPixels(4335)};
inline constexpr QRect kFrame1 = TwipsToPixels(120, 120, 7545, 4155);

inline constexpr QRect kXPButton1 = TwipsToPixels(6000, 3600, 1455, 375);
inline constexpr QRect kXPButton2 = TwipsToPixels(120, 3600, 1455, 375);
inline constexpr QRect kLabel2 = TwipsToPixels(120, 3120, 6855, 315);
inline constexpr QRect kLabel1 = TwipsToPixels(5520, 840, 1455, 615);
inline constexpr QRect kImage1 = TwipsToPixels(4560, 1920, 2445, 495);
inline constexpr QRect kImgLogo = TwipsToPixels(480, 1320, 1455, 1185);
inline constexpr QRect kLblWarning = TwipsToPixels(120, 2760, 6255, 315);
inline constexpr QRect kLblVersion = TwipsToPixels(2160, 1080, 885, 285);
inline constexpr QRect kLblProductName = TwipsToPixels(120, 240, 2160, 675);

// Colours as 0x00BBGGRR, red in the low byte.
inline constexpr std::uint32_t kWarningColor = 0x000000FF;

// The saved property sets of the two buttons.
inline const xpbutton::SavedButton kXPButton1Saved{
    .ButtonType = 4,
    .Caption = QStringLiteral("&OK"),
    .Enabled = true,
    .Font =
        host::SavedFont{.face = QStringLiteral("MS Sans Serif"), .sizePoints = 8.25, .weight = 700},
    .ColorScheme = 1,
    .ShowFocusRect = true,
    .BackColor = 0x00E3DFE0,
    .ForeColor = 0x00000000,
};

inline const xpbutton::SavedButton kXPButton2Saved{
    .ButtonType = 4,
    .Caption = QStringLiteral("&EXIT"),
    .Enabled = true,
    .Font =
        host::SavedFont{.face = QStringLiteral("MS Sans Serif"), .sizePoints = 8.25, .weight = 700},
    .ColorScheme = 1,
    .ShowFocusRect = true,
    .BackColor = 0x00E3DFE0,
    .ForeColor = 0x00000000,
};

} // namespace korven::forms::splash
