#pragma once

#include "host/surface/Geometry.h"

#include <QFont>
#include <QImage>
#include <QList>
#include <QString>

namespace korven::host {

// A caption with its "&" marks resolved: "&x" shows x underlined, "&&" shows one "&", and
// a lone "&" at the end shows nothing.
struct MnemonicText {
    QString shown;
    QList<int> underlined; // positions in shown
};

MnemonicText resolveMnemonics(const QString& caption);

// Draws captions onto an image. The toolkit renders the glyphs of a caption once into a
// coverage mask; each draw then blends the mask onto the image in the text colour. The mask
// of the last caption is kept, since a button redraws the same caption in the same font
// many times (every focus change, click and property write).
class CaptionLayoutCache {
public:
    // One line centred both ways in r, clipped to r and to the image; the background is
    // left as it is.
    void draw(QImage& image, const QString& caption, const QFont& font, const QColor& colour,
              const Rect& r);
    // The same caption at the same place, drawn onto an image of a higher pixel density
    // (its device pixel ratio set): placed by the 1x measures, so it lands where the 1x
    // caption lies, but with glyphs rendered at the image's own resolution.
    void drawAtDensity(QImage& image, const QString& caption, const QFont& font,
                       const QColor& colour, const Rect& r);

private:
    void prepare(const QString& caption, const QFont& font);

    QString caption_;
    QFont font_;
    QImage mask_;     // alpha = glyph coverage, origin at (-marginX_, -marginY_)
    int marginX_ = 0; // room for glyphs that overhang their advance
    int marginY_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool valid_ = false;
};

} // namespace korven::host
