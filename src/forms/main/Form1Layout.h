#pragma once

#include "host/toolkit/WindowLayout.h"

#include <QColor>
#include <QRect>
#include <cstdint>

// The main window's fixed layout, kept in twips exactly as it was drawn so the figures can be
// checked against the drawing; the window converts them to pixels at 15 twips per pixel.
namespace korven::forms::layout {

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

constexpr int ToPixels(int twips) {
    return host::TwipsToPixels(twips);
}
constexpr QRect ToPixels(const TwipsRect& r) {
    return host::TwipsToPixels(r.left, r.top, r.width, r.height);
}

// Colours as the drawing gives them: 0x00BBGGRR, red in the low byte.
using host::ColorFromBgr;

inline constexpr int kClientWidth = 7320;
inline constexpr int kClientHeight = 6525;

// Children of the window, in creation order.
inline constexpr TwipsRect kXPButton2{3720, 4920, 1575, 495};
inline constexpr TwipsRect kXPButton1{5640, 5760, 1575, 495};
inline constexpr TwipsRect kFrame1{120, 1080, 3495, 3735};
inline constexpr TwipsRect kFrame2{3720, 1080, 3495, 3735};
inline constexpr TwipsRect kFrame3{120, 4920, 3495, 1095};
inline constexpr TwipsRect kLabel6{2160, 2760, 3015, 495};
inline constexpr TwipsRect kImage2{0, 120, 4305, 855};
inline constexpr TwipsRect kLabel1{4680, 360, 2295, 495};

// The same three lists sit at the same places inside the source and destination frames.
inline constexpr TwipsRect kDriveList{120, 240, 3255, 315};
inline constexpr TwipsRect kFolderList{120, 720, 3255, 1440};
inline constexpr TwipsRect kFileList{120, 2280, 3255, 1260};

// Inside the options frame.
inline constexpr TwipsRect kLabel3{120, 225, 975, 255};
inline constexpr TwipsRect kCombo1{1200, 195, 975, 315};
inline constexpr TwipsRect kLabel5{2280, 240, 1050, 225};
inline constexpr TwipsRect kLabel4{120, 585, 975, 255};
inline constexpr TwipsRect kText1{1200, 570, 975, 285};
inline constexpr TwipsRect kLabel2{2280, 600, 1065, 225};

inline constexpr std::uint32_t kFormBackColor = 0x00FF0000;
inline constexpr std::uint32_t kFrame1BackColor = 0x0000FF00;
inline constexpr std::uint32_t kFrame2BackColor = 0x000000FF;
inline constexpr std::uint32_t kFrame3BackColor = 0x0000FFFF;
inline constexpr std::uint32_t kLabel6BackColor = 0x000000FF;
inline constexpr std::uint32_t kLinkBackColor = 0x00FF0000;
inline constexpr std::uint32_t kLinkPlainColor = 0x0000FF00;
inline constexpr std::uint32_t kLinkLitColor = 0x0000FFFF;
inline constexpr std::uint32_t kOptionLabelBackColor = 0x0000FFFF;

inline constexpr int kTimer2Interval = 5000;
inline constexpr int kTimer1Interval = 500;

} // namespace korven::forms::layout
