#include "Quantize.h"

#include <limits>

namespace korven::artwork {

QVector<QRgb> SixteenColourPalette() {
    return {
        qRgba(0, 0, 0, 0),   qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),
        qRgb(128, 128, 0),   qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128),
        qRgb(192, 192, 192), qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),
        qRgb(255, 255, 0),   qRgb(0, 0, 255),     qRgb(0, 255, 255), qRgb(255, 255, 255),
    };
}

namespace {

int NearestOpaqueEntry(QRgb pixel, const QVector<QRgb>& palette) {
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < palette.size(); ++i) {
        if (qAlpha(palette[i]) < 255) {
            continue;
        }
        const int dr = qRed(pixel) - qRed(palette[i]);
        const int dg = qGreen(pixel) - qGreen(palette[i]);
        const int db = qBlue(pixel) - qBlue(palette[i]);
        // Weighted like the eye: green differences matter most, blue least.
        const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

int TransparentEntry(const QVector<QRgb>& palette) {
    for (int i = 0; i < palette.size(); ++i) {
        if (qAlpha(palette[i]) == 0) {
            return i;
        }
    }
    return -1;
}

} // namespace

QImage QuantizeToPalette(const QImage& argb, const QVector<QRgb>& palette) {
    const QImage source = argb.convertToFormat(QImage::Format_ARGB32);
    QImage out(source.size(), QImage::Format_Indexed8);
    out.setColorTable(palette);
    const int transparent = TransparentEntry(palette);
    for (int y = 0; y < source.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        uchar* line = out.scanLine(y);
        for (int x = 0; x < source.width(); ++x) {
            if (qAlpha(in[x]) < 128 && transparent >= 0) {
                line[x] = static_cast<uchar>(transparent);
            } else {
                line[x] = static_cast<uchar>(NearestOpaqueEntry(in[x], palette));
            }
        }
    }
    return out;
}

} // namespace korven::artwork
