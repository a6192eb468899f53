#pragma once

#include <QImage>
#include <QPoint>

namespace korven::artwork {

// Each function draws one picture from scratch in full colour; the caller decides
// whether it is reduced to sixteen colours. `density` draws a picture for a screen with that
// many pixels to each of the window's: the same drawing with more pixels, never an enlargement.
// At density 1 each picture comes out exactly as it always has.

// The application mark: a handheld outline whose screen carries a bold "K". Smoothed edges
// by default above 32 pixels; `smooth` says otherwise.
QImage DrawIcon(int size);
QImage DrawIcon(int size, bool smooth);

// The main window's strip, 743 x 82 at density 1.
QImage DrawBanner(qreal density = 1.0);

// The disclaimer window's small strip, 211 x 26 at density 1.
QImage DrawDisclaimerBanner(qreal density = 1.0);

// A 32 x 32 pointing hand; its finger tip is the program's kHandPointerHotSpot.
QImage DrawHandPointer();

} // namespace korven::artwork
