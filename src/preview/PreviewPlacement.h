#pragma once

#include <QRect>
#include <QSize>

// Where the PREVIEW window goes and how large it is. Every rectangle is a window's frame (its
// title bar and borders included) in the screen's logical pixels, so a scaled screen simply
// has fewer of them; nothing here needs a window, so a table covers every screen and zoom.
namespace korven::preview {

// The frame moved, and shrunk where it must (never below `minimum`), so that it lies within
// `available`. A frame that already fits is returned unchanged; one that is too large keeps
// its top-left corner as far as the screen allows.
QRect KeepOnScreen(const QRect& frame, QSize minimum, const QRect& available);

// The part of a screen's available area a frame may take. At a fractional scale (1.5) the
// logical area is rounded from the screen's pixels, and a frame that fills it can end a pixel
// past the screen's edge; the last logical pixel is left out then.
QRect UsableArea(const QRect& available, double devicePixelRatio);

// Where a frame of size `wanted` opens the first time: right of the main window, else left of
// it, at full size. When neither side has the room, it goes right of `followed` (the main
// window's panes it follows), covering as little of the main window as the screen allows;
// when the screen is wide enough for the full size, it keeps that size against the screen's
// right edge, so that the whole canvas shows. Failing that, it shrinks (never below `minimum`) to
// the wider side beside the main window, or else to the room right of `followed`. Only when nothing
// of that fits does it lie over the main window, against the screen's right edge. Its top is level
// with the main window's wherever the screen allows.
QRect PlaceBeside(QSize wanted, QSize minimum, const QRect& mainFrame, const QRect& followed,
                  const QRect& available);

} // namespace korven::preview
