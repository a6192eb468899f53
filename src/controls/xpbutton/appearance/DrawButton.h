#pragma once

#include "controls/xpbutton/appearance/ButtonState.h"

namespace korven::host {
class DrawingSurface;
}

namespace korven::xpbutton {

// The one redraw entry. Draws the button for State (Normal or Pressed) into the surface's
// image, unless nothing changed: without forceRedraw it returns at once when State and
// Caption equal those of the last redraw. It never draws while ButtonHeight is 0. It does
// not refresh the window; callers that need the screen updated at once call refresh().
void DrawButton(ButtonState& state, host::DrawingSurface& surface, std::uint8_t State,
                bool forceRedraw);

// Fills {left, top, left + width, top + height}, or with frameOnly draws its one-pixel
// outline.
void DrawBox(host::DrawingSurface& surface, std::int32_t left, std::int32_t top, std::int32_t width,
             std::int32_t height, Colour color, bool frameOnly);

} // namespace korven::xpbutton
