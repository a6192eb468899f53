#pragma once

#include <QImage>
#include <QVector>

namespace korven::artwork {

// The sixteen entries of the small pictures: one fully transparent entry followed by
// fifteen plain colours, so an icon with a see-through background still fits in
// sixteen palette slots.
QVector<QRgb> SixteenColourPalette();

// Maps every pixel of a drawn ARGB picture to the nearest palette entry without
// dithering (dithering turns 32-pixel outlines into noise). Pixels less than half
// opaque become the transparent entry.
QImage QuantizeToPalette(const QImage& argb, const QVector<QRgb>& palette);

} // namespace korven::artwork
