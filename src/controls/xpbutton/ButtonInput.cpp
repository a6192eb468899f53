#include "controls/xpbutton/ButtonInput.h"

#include "controls/xpbutton/appearance/DrawButton.h"
#include "controls/xpbutton/appearance/Outline.h"
#include "host/surface/DrawingSurface.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace korven::xpbutton {

namespace {

// The press and release that the keyboard and the double click run report the left button,
// Shift 1 and the point (1, 1), whatever really happened.
constexpr std::int16_t kInnerButton = 1;
constexpr std::int16_t kInnerShift = 1;
constexpr float kInnerX = 1.0f;
constexpr float kInnerY = 1.0f;

void Redraw(ButtonState& state, ButtonHost& host, std::uint8_t look, bool force) {
    DrawButton(state, host.Canvas(), look, force);
}

std::int32_t RoundHalfEven(double value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    const double limit = std::numeric_limits<std::int32_t>::max();
    // nearbyint follows the current rounding mode, which is to-nearest-even by default.
    return static_cast<std::int32_t>(std::nearbyint(std::clamp(value, -limit, limit)));
}

} // namespace

bool IsInside(const ButtonState& state, float x, float y) {
    return x >= 0.0f && y >= 0.0f && x <= static_cast<float>(state.ButtonWidth) &&
           y <= static_cast<float>(state.ButtonHeight);
}

bool MousePress(ButtonState& state, ButtonHost& host, std::int16_t button, std::int16_t shift,
                float x, float y) {
    state.LastMouseButton = static_cast<std::uint8_t>(button);
    if (button != 2) {
        Redraw(state, host, Pressed, false);
    }
    return host.RaiseMouseDown(button, shift, x, y);
}

void MouseMove(ButtonState& state, ButtonHost& host, std::int16_t buttons, float x, float y) {
    // Moves with the right or middle button held change nothing.
    if (buttons >= 2) {
        return;
    }
    if (!IsInside(state, x, y)) {
        Redraw(state, host, Normal, false);
    } else if (buttons == 1) {
        Redraw(state, host, Pressed, false);
    }
}

bool MouseRelease(ButtonState& state, ButtonHost& host, std::int16_t button, std::int16_t shift,
                  float x, float y) {
    if (button != 2) {
        Redraw(state, host, Normal, false);
    }
    return host.RaiseMouseUp(button, shift, x, y);
}

bool ClickSteps(ButtonState& state, ButtonHost& host) {
    if (state.LastMouseButton != 1 || state.Enabled != kTrue) {
        return true;
    }
    Redraw(state, host, Normal, true);
    // Show the released look before the handler runs; it may be long or open a modal box.
    host.Canvas().refresh();
    return host.RaiseClick();
}

bool DoubleClick(ButtonState& state, ButtonHost& host) {
    if (state.LastMouseButton != 1) {
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
        state.LastMouseButton = 1;
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
    SetButtonSize(state, RoundHalfEven(clientWidth), RoundHalfEven(clientHeight));
    BuildOutline(state);
    if (state.OutlineRegion) {
        host.Canvas().setWindowOutline(*state.OutlineRegion);
    }
    Redraw(state, host, Normal, true);
}

} // namespace korven::xpbutton
