#include "host/surface/CaptionText.h"

#include "host/surface/ImageSurface.h"
#include "host/surface/InstalledFamily.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <cmath>

namespace korven::host {

MnemonicText resolveMnemonics(const QString& caption) {
    MnemonicText out;
    out.shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const QChar ch = caption.at(i);
        if (ch != u'&') {
            out.shown.append(ch);
            continue;
        }
        if (i + 1 >= caption.size()) {
            break; // a trailing "&" marks nothing
        }
        const QChar next = caption.at(++i);
        if (next != u'&') {
            out.underlined.append(int(out.shown.size()));
        }
        out.shown.append(next);
    }
    return out;
}

namespace {

// One unwrapped line with the access key underlined, its top left at (0, 0). `font` names
// the installed family it is drawn in (WithInstalledFamily).
QTextLine LayOutCaption(QTextLayout& layout, const MnemonicText& text, const QFont& font) {
    layout.setText(text.shown);
    layout.setFont(font);

    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    // Tabs stop every eight average character widths, as on the classic desktop.
    const QFontMetricsF metrics(font);
    option.setTabStopDistance(8 * metrics.averageCharWidth());
    layout.setTextOption(option);

    QList<QTextLayout::FormatRange> formats;
    for (int pos : text.underlined) {
        QTextLayout::FormatRange range;
        range.start = pos;
        range.length = 1;
        range.format.setFontUnderline(true);
        formats.append(range);
    }
    layout.setFormats(formats);

    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid()) {
        line.setLeadingIncluded(false);
        line.setPosition(QPointF(0, 0));
    }
    layout.endLayout();
    return line;
}

} // namespace

void CaptionLayoutCache::prepare(const QString& caption, const QFont& font) {
    if (valid_ && caption == caption_ && font == font_) {
        return;
    }
    const MnemonicText text = resolveMnemonics(caption);
    const QFont shown = WithInstalledFamily(font);
    QTextLayout layout;
    const QTextLine line = LayOutCaption(layout, text, shown);
    const QFontMetricsF metrics(shown);

    width_ = line.isValid() ? int(std::ceil(line.naturalTextWidth())) : 0;
    height_ = int(std::ceil(metrics.height()));
    marginX_ = height_ + 2;
    marginY_ = 2 + height_ / 4;

    mask_ =
        QImage(width_ + 2 * marginX_, height_ + 2 * marginY_, QImage::Format_ARGB32_Premultiplied);
    mask_.fill(Qt::transparent);
    if (!text.shown.isEmpty()) {
        QPainter painter(&mask_);
        painter.setPen(Qt::white);
        layout.draw(&painter, QPointF(marginX_, marginY_));
    }
    caption_ = caption;
    font_ = font;
    valid_ = true;
}

void CaptionLayoutCache::draw(QImage& image, const QString& caption, const QFont& font,
                              const QColor& colour, const Rect& r) {
    if (caption.isEmpty() || r.right <= r.left || r.bottom <= r.top) {
        return;
    }
    // Clip to the rectangle and the image, in 64 bits so that no edge can overflow.
    const qint64 clipLeft = std::max<qint64>(r.left, 0);
    const qint64 clipTop = std::max<qint64>(r.top, 0);
    const qint64 clipRight = std::min<qint64>(r.right, image.width());
    const qint64 clipBottom = std::min<qint64>(r.bottom, image.height());
    if (clipRight <= clipLeft || clipBottom <= clipTop) {
        return;
    }
    prepare(caption, font);

    // Centred with whole-pixel offsets; an odd leftover pixel goes right and down.
    const qint64 x = r.left + (qint64(r.right) - r.left - width_) / 2 - marginX_;
    const qint64 y = r.top + (qint64(r.bottom) - r.top - height_) / 2 - marginY_;

    const qint64 fromX = std::max(clipLeft, x);
    const qint64 toX = std::min(clipRight, x + mask_.width());
    const qint64 fromY = std::max(clipTop, y);
    const qint64 toY = std::min(clipBottom, y + mask_.height());
    if (toX <= fromX || toY <= fromY) {
        return;
    }
    const int red = colour.red();
    const int green = colour.green();
    const int blue = colour.blue();
    const auto blend = [](int ink, int back, int alpha) {
        return (ink * alpha + back * (255 - alpha) + 127) / 255;
    };
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    for (qint64 ty = fromY; ty < toY; ++ty) {
        const auto* src = reinterpret_cast<const QRgb*>(mask_.constScanLine(int(ty - y)));
        auto* dst = reinterpret_cast<QRgb*>(bits + stride * ty);
        for (qint64 tx = fromX; tx < toX; ++tx) {
            const int alpha = qAlpha(src[tx - x]);
            if (alpha == 0) {
                continue;
            }
            const QRgb back = dst[tx];
            dst[tx] = qRgb(blend(red, qRed(back), alpha), blend(green, qGreen(back), alpha),
                           blend(blue, qBlue(back), alpha));
        }
    }
}

void CaptionLayoutCache::drawAtDensity(QImage& image, const QString& caption, const QFont& font,
                                       const QColor& colour, const Rect& r) {
    if (caption.isEmpty() || r.right <= r.left || r.bottom <= r.top) {
        return;
    }
    prepare(caption, font);
    // The 1x placement, in the image's logical pixels.
    const qint64 x = r.left + (qint64(r.right) - r.left - width_) / 2;
    const qint64 y = r.top + (qint64(r.bottom) - r.top - height_) / 2;
    QTextLayout layout;
    LayOutCaption(layout, resolveMnemonics(caption), WithInstalledFamily(font));
    QPainter painter(&image);
    painter.setClipRect(
        QRectF(r.left, r.top, qreal(qint64(r.right) - r.left), qreal(qint64(r.bottom) - r.top)));
    painter.setPen(colour);
    layout.draw(&painter, QPointF(qreal(x), qreal(y)));
}

// --- ImageSurface text operations ------------------------------------------------------

void ImageSurface::drawCaption(const QString& text, const Rect& r) {
    if (ratio_ != 1.0) {
        // Kept for deviceImage(), which draws it at full resolution over the scaled look.
        deferredCaptions_.append({text, font_, textColour_, r});
        return;
    }
    captions_.draw(image_, text, font_, QColor::fromRgb(toArgb(textColour_)), r);
}

void ImageSurface::setDevicePixelRatio(double ratio) {
    ratio_ = ratio > 0 ? ratio : 1.0;
}

QImage ImageSurface::deviceImage() {
    if (ratio_ == 1.0) {
        return image_;
    }
    // A caption list only grows between clears, and a clear writes the image, so the key and
    // the count together tell whether anything was drawn since the last device image.
    if (!device_.isNull() && deviceSource_ == image_.cacheKey() &&
        deviceCaptions_ == deferredCaptions_.size() && deviceRatio_ == ratio_) {
        return device_;
    }
    // Every edge, line and dot of the look at its 1x place, each 1x pixel becoming the
    // block of device pixels it covers; then the captions, in drawing order, crisp.
    device_ = image_.scaled(int(std::ceil(image_.width() * ratio_)),
                            int(std::ceil(image_.height() * ratio_)), Qt::IgnoreAspectRatio,
                            Qt::FastTransformation);
    device_.setDevicePixelRatio(ratio_);
    for (const DeferredCaption& c : deferredCaptions_) {
        captions_.drawAtDensity(device_, c.text, c.font, QColor::fromRgb(toArgb(c.colour)), c.r);
    }
    deviceSource_ = image_.cacheKey();
    deviceCaptions_ = deferredCaptions_.size();
    deviceRatio_ = ratio_;
    return device_;
}

TextSize ImageSurface::textSize(const QString& text) const {
    const QFontMetricsF metrics(font_);
    return {float(metrics.horizontalAdvance(text)), float(metrics.height())};
}

} // namespace korven::host
