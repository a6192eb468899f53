#include "Drawings.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace korven::artwork {

namespace {

const QColor kNavy(0, 0, 128);
const QColor kBlue(0, 0, 255);
const QColor kYellow(255, 255, 0);
const QColor kSilver(192, 192, 192);
const QColor kGrey(128, 128, 128);
const QColor kBody(24, 24, 24);

QFont MarkFont(qreal pixelSize) {
    // DejaVu ships with the build dependencies, so the pictures come out the same on
    // every machine that re-makes them.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(qRound(pixelSize));
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// The handheld, drawn in a 32-unit box: a wide rounded body, a screen in the middle,
// a cross on the left and four buttons on the right.
void PaintHandheld(QPainter& p, bool withLetter) {
    p.setPen(QPen(kGrey, 1.0));
    p.setBrush(kBody);
    p.drawRoundedRect(QRectF(0.5, 7.5, 31, 18), 8, 8);

    p.setPen(Qt::NoPen);
    p.setBrush(kNavy);
    p.drawRect(QRectF(9, 9, 14, 15));

    p.setBrush(kSilver);
    p.drawRect(QRectF(2.5, 15.5, 5, 2));
    p.drawRect(QRectF(4, 14, 2, 5));
    p.drawEllipse(QRectF(26, 12.5, 2, 2));
    p.drawEllipse(QRectF(26, 18.5, 2, 2));
    p.drawEllipse(QRectF(23.5, 15.5, 2, 2));
    p.drawEllipse(QRectF(28.5, 15.5, 2, 2));

    if (withLetter) {
        QPainterPath k;
        k.addText(0, 0, MarkFont(15), QStringLiteral("K"));
        const QRectF box = k.boundingRect();
        k.translate(16 - box.center().x(), 16.5 - box.center().y());
        p.setBrush(kYellow);
        p.drawPath(k);
    }
}

// A picture of `size` at 1x, drawn at `density`: its pixel size rounded to whole pixels.
QSize AtDensity(QSize size, qreal density) {
    return {qRound(size.width() * density), qRound(size.height() * density)};
}

} // namespace

QImage DrawIcon(int size) {
    return DrawIcon(size, size > 32);
}

QImage DrawIcon(int size, bool smooth) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, smooth);
    p.scale(size / 32.0, size / 32.0);
    PaintHandheld(p, true);
    return image;
}

QImage DrawBanner(qreal density) {
    QImage image(AtDensity({743, 82}, density), QImage::Format_RGB888);
    image.fill(Qt::black); // under the smoothed edge of a part-pixel, never stray memory
    QPainter p(&image);
    p.scale(density, density);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient sky(0, 0, 743, 82);
    sky.setColorAt(0.0, QColor(6, 10, 70));
    sky.setColorAt(0.6, QColor(20, 40, 170));
    sky.setColorAt(1.0, QColor(70, 20, 150));
    // The whole picture, its last part-pixel included when the density rounds the size up.
    p.fillRect(QRectF(0, 0, image.width() / density, image.height() / density), sky);

    // Large faint letters in the background hint at what the program handles: fonts.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 28));
    QFont ghost = MarkFont(96);
    QPainterPath glyphs;
    glyphs.addText(470, 88, ghost, QStringLiteral("Aa"));
    glyphs.addText(640, 80, ghost, QStringLiteral("g"));
    p.drawPath(glyphs);

    p.save();
    p.translate(14, 5);
    p.scale(72 / 32.0, 72 / 32.0);
    PaintHandheld(p, true);
    p.restore();

    p.setPen(Qt::white);
    p.setFont(MarkFont(34));
    p.drawText(QPointF(104, 42), QStringLiteral("KORVEN Font Converter"));
    p.setPen(kYellow);
    p.setFont(MarkFont(17));
    p.drawText(QPointF(106, 68), QStringLiteral("TrueType  \u2192  PGF system font"));
    return image;
}

QImage DrawDisclaimerBanner(qreal density) {
    QImage image(AtDensity({211, 26}, density), QImage::Format_RGB888);
    image.fill(Qt::black); // under the smoothed edge of a part-pixel, never stray memory
    QPainter p(&image);
    p.scale(density, density);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient band(0, 0, 211, 0);
    band.setColorAt(0.0, QColor(6, 10, 70));
    band.setColorAt(1.0, QColor(30, 60, 200));
    p.fillRect(QRectF(0, 0, image.width() / density, image.height() / density), band);

    p.save();
    p.translate(4, -3);
    PaintHandheld(p, true);
    p.restore();

    p.setPen(Qt::white);
    p.setFont(MarkFont(14));
    p.drawText(QRectF(40, 0, 168, 26), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("TTF  \u2192  PGF"));
    p.setPen(kYellow);
    p.setFont(MarkFont(10));
    p.drawText(QRectF(40, 0, 166, 26), Qt::AlignVCenter | Qt::AlignRight, QStringLiteral("GUI"));
    return image;
}

QImage DrawHandPointer() {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);

    QPainterPath hand;
    hand.setFillRule(Qt::WindingFill);
    hand.addRoundedRect(QRectF(10, 1, 5, 17), 2.5, 2.5); // pointing finger
    hand.addRoundedRect(QRectF(14, 10, 4, 8), 1.8, 1.8); // folded fingers
    hand.addRoundedRect(QRectF(17, 11, 4, 8), 1.8, 1.8);
    hand.addRoundedRect(QRectF(20, 12, 4, 8), 1.8, 1.8);
    hand.addRoundedRect(QRectF(10, 15, 14, 11), 3, 3); // palm
    QPainterPath thumb;
    thumb.moveTo(11, 25);
    thumb.lineTo(4, 18);
    thumb.lineTo(5, 15.5);
    thumb.lineTo(7.5, 16);
    thumb.lineTo(11, 19);
    thumb.closeSubpath();
    hand = hand.united(thumb).simplified();

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPath(hand);
    p.fillRect(QRect(12, 26, 11, 4), kBlue); // cuff
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(12, 26, 10, 4));
    // Knuckle creases so the folded fingers read as fingers.
    p.drawLine(17, 13, 17, 16);
    p.drawLine(20, 14, 20, 17);
    return image;
}

} // namespace korven::artwork
