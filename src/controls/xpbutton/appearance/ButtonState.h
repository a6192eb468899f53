#pragma once

#include "host/surface/Colour.h"
#include "host/surface/Geometry.h"
#include "host/surface/Region.h"

#include <QFont>
#include <QString>
#include <cstdint>
#include <optional>

namespace korven::host {
class DrawingSurface;
}

namespace korven::xpbutton {

using host::Colour;
using host::kFalse;
using host::kTrue;
using host::Rect;
using host::VbBool;

// The two looks a redraw can ask for.
inline constexpr std::uint8_t Normal = 0;
inline constexpr std::uint8_t Pressed = 2;

// Everything one button instance knows about itself. Field names match the button's
// property names where there is one. Booleans are stored as -1 / 0 and compared exactly,
// because an Enabled of 1 must draw the disabled look.
struct ButtonState {
    // 1 to 7 select a look; 1, 3, 4 and 5 also cut the window's corners. Any other value
    // draws the face colour only.
    std::int32_t ButtonType = 0;
    // 2 custom colours, 3 fixed grey, anything else the system colours.
    std::int32_t ColorScheme = 0;
    std::int32_t ButtonHeight = 0; // 0 until the first resize: nothing is drawn until then
    std::int32_t ButtonWidth = 0;
    Colour BackColor = 0; // face colour of scheme 2
    Colour ForeColor = 0; // caption colour of scheme 2
    QString Caption;      // "&" marks the access key
    QFont Font;           // caption font; the surface gets a copy of it

    Rect TextRect{0, 0, 0, 0};
    Rect PressedTextRect{2, 2, 0, 0}; // the caption sits one pixel right and lower
    Rect FocusRect{4, 4, 0, 0};
    std::optional<host::Region> OutlineRegion; // none until the first resize

    // The bit of the latest mouse press, numbered as the host's mouse buttons are (1 left,
    // 2 right, 4 middle). Left until the first press, so an access key clicks at once.
    std::uint8_t LastMouseButton = 1;
    VbBool Enabled = kTrue;
    VbBool HasFocus = kFalse;
    VbBool ShowFocusRect = kTrue;

    // The palette, derived from ColorScheme by LoadPalette.
    Colour FaceColor = 0;
    Colour LightColor = 0;
    Colour HighlightColor = 0;
    Colour ShadowColor = 0;
    Colour DarkShadowColor = 0;
    Colour TextColor = 0;

    std::uint8_t DrawnState = Normal; // state of the last redraw carried out
    QString DrawnCaption;             // caption of the last redraw carried out
};

// A record as it is when the host creates an instance, before first placement or loading:
// type and scheme 0, no size, the surface's font, the system button colours for BackColor
// and ForeColor, and the palette taken from the system colours.
ButtonState CreateButtonState(const host::DrawingSurface& surface);

// Keeps TextRect, PressedTextRect and FocusRect in step with a new size and stores the size.
// Left and top of each rectangle stay as they are.
void SetButtonSize(ButtonState& state, std::int32_t width, std::int32_t height);

} // namespace korven::xpbutton
