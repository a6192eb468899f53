#pragma once

#include "controls/xpbutton/appearance/ButtonState.h"

namespace korven::xpbutton {

// The window outline for a button type and size: the full rectangle with corner pixels
// removed (type 1 one pixel per corner, 3 and 4 three per corner, 5 the top-right and
// bottom-left pixel, any other type none).
host::Region OutlineFor(std::int32_t buttonType, std::int32_t width, std::int32_t height);

// Sets state.OutlineRegion for the current ButtonType, ButtonWidth and ButtonHeight.
void BuildOutline(ButtonState& state);

} // namespace korven::xpbutton
