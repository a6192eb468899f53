#pragma once

#include <QRect>
#include <QString>

class QWidget;

namespace korven::xpbutton {

class XPButton;
struct SavedButton;

// How a window places one of its buttons: creates a button on `parent`, names it `name`,
// loads it from its saved set exactly as a saved window is loaded (the set is written into a
// property bag and the button reads it back) and puts it at `geometry` (pixels). Returns
// nullptr, and leaves nothing behind, when the set does not load (a font it cannot hold).
XPButton* PlaceFromSavedSet(const SavedButton& saved, const QString& name, QWidget* parent,
                            const QRect& geometry);

} // namespace korven::xpbutton
