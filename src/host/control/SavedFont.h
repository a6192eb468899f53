#pragma once

#include <QFont>
#include <QString>

namespace korven::host {

// A font as it is saved with a control: what is needed to pick the same font again.
// The character set is kept even though the toolkit has no use for it, so a saved set that
// names one gets it back unchanged.
struct SavedFont {
    QString face;
    double sizePoints = 8.0;
    int weight = 400; // 1 to 1000; 400 regular, 700 bold
    int charset = 0;  // 0 to 255
    bool italic = false;
    bool underline = false;
    bool strikeout = false;

    bool bold() const { return weight >= 600; }

    friend bool operator==(const SavedFont&, const SavedFont&) = default;

    // The toolkit's font for this description (the character set has no counterpart).
    QFont ToQFont() const;
    // The description of a toolkit font; charset is given by the caller because a QFont
    // does not carry one.
    static SavedFont FromQFont(const QFont& font, int charset = 0);
};

} // namespace korven::host
