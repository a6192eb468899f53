#pragma once

#include "controls/xpbutton/appearance/ButtonState.h"

namespace korven::xpbutton {

// The access key of a caption, lower-cased, or empty. The character after the first "&"
// counts; when that "&" starts an "&&", the character after the next "&" counts instead.
// No further marks are examined.
QString AccessKeyOf(const QString& caption);

// Gives the surface the access key of state.Caption (an empty list when there is none).
void UpdateAccessKey(const ButtonState& state, host::DrawingSurface& surface);

} // namespace korven::xpbutton
