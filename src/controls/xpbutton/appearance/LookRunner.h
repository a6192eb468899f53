#pragma once

#include "controls/xpbutton/appearance/LookSteps.h"

namespace korven::host {
class DrawingSurface;
}

namespace korven::xpbutton::looks {

// Runs every step of a variant in order. Focus cues are drawn only when state.HasFocus is
// exactly -1, so the caller reduces HasFocus first.
void RunVariant(const Variant& variant, const ButtonState& state, host::DrawingSurface& surface);

// The normal variant, in the default-button form when the look has one and the container
// shows the button as its default (the flag is read after the first step list).
void RunNormal(const Look& look, const ButtonState& state, host::DrawingSurface& surface);

// Colour of row i of a gradient whose step per row is kr / height (red and green) and
// kb / height (blue), each step held in single precision.
Colour GradientRow(std::int32_t kr, std::int32_t kb, std::int32_t height, std::int32_t row);

// The frame drawn around a caption of the measured size: {left, top, width, height}.
Rect CaptionFrameBox(std::int32_t width, std::int32_t height, float textWidth, float textHeight);

} // namespace korven::xpbutton::looks
