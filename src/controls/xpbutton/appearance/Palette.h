#pragma once

#include "controls/xpbutton/appearance/ButtonState.h"

namespace korven::xpbutton {

// Where the system colours come from; tests pass a fixed table.
using SysColorSource = Colour (*)(int index);

// Sets the six palette fields from ColorScheme (2 from BackColor and ForeColor, 3 fixed
// grey, anything else the system colours read now).
void LoadPalette(ButtonState& state, SysColorSource sysColor = nullptr);

// Adds offset to each of red, green and blue and clamps each to 0..255. The channels are
// taken from color as a signed 32-bit value with truncating division, so a value with bit
// 31 set (a system colour name) gives negative green and blue rather than being resolved.
Colour OffsetColor(Colour color, std::int32_t offset);

} // namespace korven::xpbutton
