#pragma once

#include <QRect>
#include <QString>
#include <QStringView>

class QWidget;

namespace korven::xpbutton {

class XPButton;

// How a window places one of its buttons: creates the button `name` on `parent` from its
// saved property set in `savedSets` (several [NAME] sections in the saved set's text form),
// names it `name` and puts it at `geometry` (pixels). Returns nullptr, and leaves nothing
// behind, when the sets cannot be read, hold no set of that name, or the set does not load.
XPButton* PlaceFromSavedSet(QStringView savedSets, const QString& name, QWidget* parent,
                            const QRect& geometry);

} // namespace korven::xpbutton
