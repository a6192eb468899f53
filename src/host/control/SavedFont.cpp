#include "host/control/SavedFont.h"

#include <algorithm>

namespace korven::host {

QFont SavedFont::ToQFont() const {
    QFont font(face);
    if (sizePoints > 0) {
        font.setPointSizeF(sizePoints);
    }
    font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeout);
    return font;
}

SavedFont SavedFont::FromQFont(const QFont& font, int charset) {
    SavedFont saved;
    saved.face = font.family();
    // A font sized in pixels has no point size; report it at 96 dots per inch.
    saved.sizePoints = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
    saved.weight = static_cast<int>(font.weight());
    saved.charset = charset;
    saved.italic = font.italic();
    saved.underline = font.underline();
    saved.strikeout = font.strikeOut();
    return saved;
}

} // namespace korven::host
