#pragma once

#include "RenderOptions.h"

#include <QImage>

namespace korven::xpbutton::render {

// Draws one button as a newly placed instance with the options applied, exactly as the
// control draws into its image, and returns that image (RGB). With options.mask the result
// is ARGB, with the pixels outside the window outline fully transparent.
QImage RenderButton(const ButtonOptions& options);

// Types 1 to 7 in every variant, focused and not, in schemes 1, 2 and 3, for people to look
// at. Each button is shown through its window outline, as on screen.
QImage RenderContactSheet();

} // namespace korven::xpbutton::render
