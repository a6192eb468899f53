#include "controls/xpbutton/appearance/ButtonState.h"

#include "controls/xpbutton/appearance/Arithmetic.h"
#include "controls/xpbutton/appearance/Palette.h"
#include "host/surface/DrawingSurface.h"
#include "host/surface/SystemColours.h"

namespace korven::xpbutton {

ButtonState CreateButtonState(const host::DrawingSurface& surface) {
    ButtonState state;
    state.Font = surface.font();
    state.BackColor = host::GetSysColor(host::COLOR_BTNFACE);
    state.ForeColor = host::GetSysColor(host::COLOR_BTNTEXT);
    LoadPalette(state); // scheme 0: the system colours
    return state;
}

void SetButtonSize(ButtonState& state, std::int32_t width, std::int32_t height) {
    state.ButtonWidth = width;
    state.ButtonHeight = height;
    state.TextRect.right = width;
    state.TextRect.bottom = height;
    state.PressedTextRect.right = width;
    state.PressedTextRect.bottom = height;
    // Sizes come from a window, so subtracting 4 cannot leave the 32-bit range; the clamp
    // only keeps a nonsense size from overflowing.
    state.FocusRect = {4, 4, sat(std::int64_t(width) - 4), sat(std::int64_t(height) - 4)};
}

} // namespace korven::xpbutton
