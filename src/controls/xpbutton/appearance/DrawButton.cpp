#include "controls/xpbutton/appearance/DrawButton.h"

#include "controls/xpbutton/appearance/Arithmetic.h"
#include "controls/xpbutton/appearance/LookRunner.h"
#include "controls/xpbutton/appearance/LookSteps.h"
#include "host/surface/DrawingSurface.h"

namespace korven::xpbutton {

namespace {

// Puts HasFocus back however the redraw ends: the focus cue reduction is for one redraw.
class FocusRestorer {
public:
    explicit FocusRestorer(ButtonState& s) : state_(s), kept_(s.HasFocus) {}
    ~FocusRestorer() { state_.HasFocus = kept_; }
    FocusRestorer(const FocusRestorer&) = delete;
    FocusRestorer& operator=(const FocusRestorer&) = delete;

private:
    ButtonState& state_;
    VbBool kept_;
};

} // namespace

void DrawBox(host::DrawingSurface& surface, std::int32_t left, std::int32_t top, std::int32_t width,
             std::int32_t height, Colour color, bool frameOnly) {
    const Rect r{left, top, sat(std::int64_t(left) + width), sat(std::int64_t(top) + height)};
    if (frameOnly) {
        surface.frameRect(r, color);
    } else {
        surface.fillRect(r, color);
    }
}

void DrawButton(ButtonState& s, host::DrawingSurface& surface, std::uint8_t State,
                bool forceRedraw) {
    // Mouse moves call this with forceRedraw false all the time; this test keeps them cheap.
    if (s.ButtonHeight == 0) {
        return;
    }
    if (!forceRedraw && State == s.DrawnState && s.Caption == s.DrawnCaption) {
        return;
    }
    s.DrawnState = State;
    s.DrawnCaption = s.Caption;

    FocusRestorer restorer(s);
    if (s.HasFocus == kTrue) {
        s.HasFocus = s.ShowFocusRect; // a hidden focus cue draws as if unfocused
    }

    surface.clear();
    DrawBox(surface, 0, 0, s.ButtonWidth, s.ButtonHeight, s.FaceColor, false);

    const looks::Look* look = looks::LookFor(s.ButtonType);
    if (s.Enabled == kTrue) {
        surface.setTextColour(s.TextColor);
        if (look == nullptr) {
            return;
        }
        if (State == Normal) {
            looks::RunNormal(*look, s, surface);
        } else if (State == Pressed) {
            looks::RunVariant(look->pressed, s, surface);
        }
    } else if (look != nullptr) {
        looks::RunVariant(look->disabled, s, surface);
    }
}

} // namespace korven::xpbutton
