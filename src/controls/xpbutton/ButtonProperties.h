#pragma once

// The button's saved properties: the eight fields as a saved set holds them, and the keys
// they are saved under.

#include "host/control/PropertyBag.h"
#include "host/control/SavedFont.h"
#include "host/surface/Colour.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace korven::xpbutton {

// The keys under which each property is saved, and by which a change is announced.
inline const QString kKeyButtonType = QStringLiteral("BTYPE");
inline const QString kKeyCaption = QStringLiteral("TX");
inline const QString kKeyEnabled = QStringLiteral("ENAB");
inline const QString kKeyFont = QStringLiteral("FONT");
inline const QString kKeyColorScheme = QStringLiteral("COLTYPE");
inline const QString kKeyShowFocusRect = QStringLiteral("FOCUSR");
inline const QString kKeyBackColor = QStringLiteral("BCOL");
inline const QString kKeyForeColor = QStringLiteral("FCOL");

// The eight design-time values of one button, as they are saved. A window keeps the saved
// set of each of its buttons as a value of this type, written out in full, and loads the
// button from it through a property bag (PlaceFromSavedSet).
//
// The member defaults are those a new button takes and a saved set without the key gives,
// except the two colours, which are the system button colours of the moment
// (DefaultSavedButton).
struct SavedButton {
    std::int32_t ButtonType = 2;
    QString Caption;
    bool Enabled = true;
    std::optional<host::SavedFont> Font; // none: the surface's own font, kept as it is
    std::int32_t ColorScheme = 1;
    bool ShowFocusRect = true;
    host::Colour BackColor = 0; // saved as a 32-bit integer with the same bits
    host::Colour ForeColor = 0;
};

// The defaults, with the system button colours read now.
SavedButton DefaultSavedButton();

// Reads the eight keys in their fixed order; an absent key gives its default. On the first
// value that cannot be read the result names the key and the value, and nothing is
// returned half-read.
host::Result<SavedButton> ReadSavedButton(const host::PropertyBag& bag);

// Writes the eight keys in the same order, each with its type (FONT only when there is a
// font). On failure (a font the set cannot hold) bag is left as it was.
host::Status WriteSavedButton(const SavedButton& values, host::PropertyBag& bag);

} // namespace korven::xpbutton
