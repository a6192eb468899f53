#pragma once

// The button's saved properties: one table of keys, types and defaults, read and written in
// that order.

#include "host/control/PropertyBag.h"
#include "host/surface/Colour.h"

#include <QFont>
#include <QString>
#include <cstdint>

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

// The eight design-time values of one button.
struct SavedButton {
    std::int32_t ButtonType = 2;
    QString Caption;
    bool Enabled = true;
    QFont Font;
    int FontCharset = 0; // kept for the saved set; the toolkit's font has no character set
    std::int32_t ColorScheme = 1;
    bool ShowFocusRect = true;
    host::Colour BackColor = 0;
    host::Colour ForeColor = 0;
};

// The defaults used for absent keys: type 2, empty caption, enabled, the given font, scheme
// 1, focus cue shown, and the system button colours read now.
SavedButton DefaultSavedButton(const QFont& surfaceFont);

// Reads all eight keys in their fixed order. On the first value that cannot be read the
// result names the key and the value, and nothing is returned half-read.
host::Result<SavedButton> ReadSavedButton(const host::PropertyBag& bag,
                                          const SavedButton& defaults);

// Writes all eight keys in their fixed order, each with its type. On failure (a font the
// set cannot hold) bag is left as it was.
host::Status WriteSavedButton(const SavedButton& values, host::PropertyBag& bag);

} // namespace korven::xpbutton
