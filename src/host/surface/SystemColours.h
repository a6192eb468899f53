#pragma once

#include "host/surface/Colour.h"

namespace korven::host {

// Indices of the system colours the program asks for.
enum SysColorIndex : int {
    COLOR_WINDOW = 5,
    COLOR_WINDOWTEXT = 8,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_BTNTEXT = 18,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
};

// The system colour with the given index, read now (a later change of the desktop's colours
// shows in the next call). On Windows this is the system's own table; elsewhere the colours
// come from the application palette with the classic 3D mapping: face = Button, shadow =
// Dark, dark shadow = Shadow, light = halfway between Button and Light, highlight = Light.
// Unknown indices give 0.
Colour GetSysColor(int index);

} // namespace korven::host
