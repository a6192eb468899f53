#pragma once

#include <QImage>
#include <QPoint>

namespace korven::artwork {

// Each function draws one picture from scratch in full colour; the caller decides
// whether it is reduced to sixteen colours.

// The application mark: a handheld outline whose screen carries a bold "K".
QImage DrawIcon(int size);

// The main window's strip, 743 x 82.
QImage DrawBanner();

// The disclaimer window's small strip, 211 x 26.
QImage DrawDisclaimerBanner();

// A 32 x 32 pointing hand; its finger tip is the program's kHandPointerHotSpot.
QImage DrawHandPointer();

} // namespace korven::artwork
