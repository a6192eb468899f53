#pragma once

#include "host/surface/Colour.h"
#include "host/surface/Geometry.h"
#include "host/surface/Region.h"

#include <QFont>
#include <QString>

namespace korven::host {

// What a self-drawn control draws on and asks of its window. The control paints only into
// a persistent image and asks for a refresh; it has no paint logic of its own. Everything a
// look needs goes through this interface, so the same drawing code runs against an image
// in memory (ImageSurface) and against a live window.
//
// Pixel rules shared by every implementation:
//  - rectangles exclude their right and bottom edges;
//  - nothing is ever written outside the image, whatever the coordinates;
//  - colours are 0x00BBGGRR.
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    // --- drawing image -------------------------------------------------------------------
    // Sets the whole image to the background 0x00E0E0E0.
    virtual void clear() = 0;
    // Repaints the window from the image now (a surface without a window does nothing).
    virtual void refresh() = 0;
    // Every pixel of r; nothing when right <= left or bottom <= top.
    virtual void fillRect(const Rect& r, Colour c) = 0;
    // Columns left and right - 1 over rows top..bottom - 1, and rows top and bottom - 1 over
    // columns left..right - 1; nothing when right < left or bottom < top.
    virtual void frameRect(const Rect& r, Colour c) = 0;
    // From (x1, y1) towards (x2, y2), the second point itself never painted; a line whose
    // second point lies before its first runs backwards; equal points paint nothing.
    virtual void line(int x1, int y1, int x2, int y2, Colour c) = 0;
    virtual void setPixel(int x, int y, Colour c) = 0;
    // Colour of captions drawn afterwards; stays until set again.
    virtual void setTextColour(Colour c) = 0;
    // One line centred both ways in r, tabs expanded, background untouched, clipped to r.
    // "&" is hidden and underlines the next character; "&&" shows one "&".
    virtual void drawCaption(const QString& text, const Rect& r) = 0;
    // The dotted focus rectangle along the outline of r, drawn by inverting pixels, so
    // drawing it twice restores the image.
    virtual void drawFocusRect(const Rect& r) = 0;
    // Size of text in the current font, measured as given ("&" counts as a character).
    virtual TextSize textSize(const QString& text) const = 0;

    // --- font ----------------------------------------------------------------------------
    virtual QFont font() const = 0;
    virtual void setFont(const QFont& f) = 0;
    virtual bool bold() const = 0;
    virtual void setBold(bool bold) = 0;

    // --- window --------------------------------------------------------------------------
    virtual int clientWidth() const = 0;
    virtual int clientHeight() const = 0;
    // While false, no mouse or key input reaches the control.
    virtual void setEnabled(bool enabled) = 0;
    // Zero or one lower-case character; pressing it as an access key reports to the control.
    virtual void setAccessKeys(const QString& keys) = 0;
    // The window's outline; the window keeps its own copy and repaints at once.
    virtual void setWindowOutline(const Region& outline) = 0;
    // The container's ambient flag: kTrue (-1) when it shows this control as its default
    // button, kFalse otherwise.
    virtual VbBool displayAsDefault() const = 0;
};

} // namespace korven::host
