#include "controls/xpbutton/ButtonInput.h"

#include "controls/xpbutton/appearance/Arithmetic.h"
#include "controls/xpbutton/appearance/DrawButton.h"
#include "controls/xpbutton/appearance/Outline.h"
#include "host/control/ControlWindow.h"
#include "host/surface/DrawingSurface.h"

namespace korven::xpbutton {

namespace {

using host::kLeftButton;
using host::kRightButton;

// The press and release that the keyboard and the double click run report the left button,
// Shift and the point (1, 1), whatever really happened.
constexpr std::int16_t kInnerButton = kLeftButton;
constexpr std::int16_t kInnerShift = host::kShiftKey;
constexpr float kInnerX = 1.0f;
constexpr float kInnerY = 1.0f;

void Redraw(ButtonState& state, ButtonHost& host, std::uint8_t look, bool force) {
    DrawButton(state, host.Canvas(), look, force);
}

} // namespace

bool IsInside(const ButtonState& state, float x, float y) {
    return x >= 0.0f && y >= 0.0f && x <= static_cast<float>(state.ButtonWidth) &&
           y <= static_cast<float>(state.ButtonHeight);
}

bool MousePress(ButtonState& state, ButtonHost& host, std::int16_t button, std::int16_t shift,
                float x, float y) {
    state.LastMouseButton = static_cast<std::uint8_t>(button);
    // The right button belongs to context menus, not to pushing: it shows no pressed look,
    // and the click steps ignore it.
    if (button != kRightButton) {
        Redraw(state, host, Pressed, false);
    }
    return host.RaiseMouseDown(button, shift, x, y);
}

void MouseMove(ButtonState& state, ButtonHost& host, std::int16_t buttons, float x, float y) {
    // Moves with the right or middle button held change nothing: every set from the right
    // button's bit upwards holds one of them.
    if (buttons >= kRightButton) {
        return;
    }
    if (!IsInside(state, x, y)) {
        Redraw(state, host, Normal, false);
    } else if (buttons == kLeftButton) {
        Redraw(state, host, Pressed, false);
    }
}

bool MouseRelease(ButtonState& state, ButtonHost& host, std::int16_t button, std::int16_t shift,
                  float x, float y) {
    if (button != kRightButton) {
        Redraw(state, host, Normal, false);
    }
    return host.RaiseMouseUp(button, shift, x, y);
}

bool ClickSteps(ButtonState& state, ButtonHost& host) {
    // A right or middle press disarms the click until the next left press or Space.
    if (state.LastMouseButton != kLeftButton || state.Enabled != kTrue) {
        return true;
    }
    Redraw(state, host, Normal, true);
    // Show the released look before the handler runs; it may be long or open a modal box.
    host.Canvas().refresh();
    return host.RaiseClick();
}

bool DoubleClick(ButtonState& state, ButtonHost& host) {
    if (state.LastMouseButton != kLeftButton) {
        return true;
    }
    return MousePress(state, host, kInnerButton, kInnerShift, kInnerX, kInnerY);
}

bool KeyDown(ButtonState& state, ButtonHost& host, std::int16_t keyCode, std::int16_t shift) {
    switch (keyCode) {
    case kKeySpace:
        if (!MousePress(state, host, kInnerButton, kInnerShift, kInnerX, kInnerY)) {
            return false;
        }
        break;
    case kKeyRight:
    case kKeyDown:
        host.InjectKeys(QStringLiteral("{Tab}"));
        break;
    case kKeyLeft:
    case kKeyUp:
        host.InjectKeys(QStringLiteral("+{Tab}"));
        break;
    default:
        break;
    }
    return host.RaiseKeyDown(keyCode, shift);
}

bool KeyPress(ButtonState&, ButtonHost& host, std::int16_t keyAscii) {
    return host.RaiseKeyPress(keyAscii);
}

bool KeyUp(ButtonState& state, ButtonHost& host, std::int16_t keyCode, std::int16_t shift) {
    if (keyCode == kKeySpace) {
        if (!MouseRelease(state, host, kInnerButton, kInnerShift, kInnerX, kInnerY)) {
            return false;
        }
        state.LastMouseButton = kLeftButton;
        if (!ClickSteps(state, host)) {
            return false;
        }
    }
    return host.RaiseKeyUp(keyCode, shift);
}

bool AccessKeyPress(ButtonState& state, ButtonHost& host) {
    return ClickSteps(state, host);
}

void GotFocus(ButtonState& state, ButtonHost& host) {
    state.HasFocus = kTrue;
    Redraw(state, host, state.DrawnState, true);
}

void LostFocus(ButtonState& state, ButtonHost& host) {
    state.HasFocus = kFalse;
    Redraw(state, host, state.DrawnState, true);
}

void AmbientChanged(ButtonState& state, ButtonHost& host) {
    Redraw(state, host, state.DrawnState, true);
}

void Resize(ButtonState& state, ButtonHost& host, double clientWidth, double clientHeight) {
    SetButtonSize(state, sat(RoundHalfEven(clientWidth)), sat(RoundHalfEven(clientHeight)));
    BuildOutline(state);
    if (state.OutlineRegion) {
        host.Canvas().setWindowOutline(*state.OutlineRegion);
    }
    Redraw(state, host, Normal, true);
}

} // namespace korven::xpbutton
