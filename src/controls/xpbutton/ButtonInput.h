#pragma once

// What the button does with each notification of its window, as functions over the state
// record. They need no window: the live control passes itself as the ButtonHost, tests and
// benchmarks may pass anything else.

#include "controls/xpbutton/appearance/ButtonState.h"

#include <QString>
#include <cstdint>

namespace korven::host {
class DrawingSurface;
}

namespace korven::xpbutton {

// What the steps need besides the record. Each Raise... runs the container's handler to its
// end and returns whether the control still exists afterwards; when it does not (a handler
// closed the window and deleted it), the steps stop at once.
class ButtonHost {
public:
    virtual host::DrawingSurface& Canvas() = 0;
    virtual bool RaiseClick() = 0;
    virtual bool RaiseMouseDown(std::int16_t button, std::int16_t shift, float x, float y) = 0;
    virtual bool RaiseMouseUp(std::int16_t button, std::int16_t shift, float x, float y) = 0;
    virtual bool RaiseKeyPress(std::int16_t keyAscii) = 0;
    virtual bool RaiseKeyDown(std::int16_t keyCode, std::int16_t shift) = 0;
    virtual bool RaiseKeyUp(std::int16_t keyCode, std::int16_t shift) = 0;
    // "{Tab}" or "+{Tab}", handled after the current step list.
    virtual void InjectKeys(const QString& keys) = 0;

protected:
    ~ButtonHost() = default;
};

// Virtual-key codes the steps react to.
inline constexpr std::int16_t kKeySpace = 32;
inline constexpr std::int16_t kKeyLeft = 37;
inline constexpr std::int16_t kKeyUp = 38;
inline constexpr std::int16_t kKeyRight = 39;
inline constexpr std::int16_t kKeyDown = 40;

// Both bounds inclusive: a point on the right or bottom edge line still counts as inside.
bool IsInside(const ButtonState& state, float x, float y);

bool MousePress(ButtonState& state, ButtonHost& host, std::int16_t button, std::int16_t shift,
                float x, float y);
void MouseMove(ButtonState& state, ButtonHost& host, std::int16_t buttons, float x, float y);
bool MouseRelease(ButtonState& state, ButtonHost& host, std::int16_t button, std::int16_t shift,
                  float x, float y);
bool ClickSteps(ButtonState& state, ButtonHost& host);
bool DoubleClick(ButtonState& state, ButtonHost& host);
bool KeyDown(ButtonState& state, ButtonHost& host, std::int16_t keyCode, std::int16_t shift);
bool KeyPress(ButtonState& state, ButtonHost& host, std::int16_t keyAscii);
bool KeyUp(ButtonState& state, ButtonHost& host, std::int16_t keyCode, std::int16_t shift);
bool AccessKeyPress(ButtonState& state, ButtonHost& host);
void GotFocus(ButtonState& state, ButtonHost& host);
void LostFocus(ButtonState& state, ButtonHost& host);
void AmbientChanged(ButtonState& state, ButtonHost& host);
// Takes the client size (rounded to the nearest integer, halves to even), rebuilds and sets
// the outline, and shows the released look.
void Resize(ButtonState& state, ButtonHost& host, double clientWidth, double clientHeight);

} // namespace korven::xpbutton
