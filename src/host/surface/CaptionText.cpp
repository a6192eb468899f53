#include "host/surface/CaptionText.h"

#include "host/surface/ImageSurface.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
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

CaptionLayoutCache::CaptionLayoutCache() = default;
CaptionLayoutCache::~CaptionLayoutCache() = default;

void CaptionLayoutCache::prepare(const QString& caption, const QFont& font) {
    if (valid_ && caption == caption_ && font == font_) {
        return;
    }
    const MnemonicText text = resolveMnemonics(caption);
    layout_ = std::make_unique<QTextLayout>(text.shown, font);

    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    // Tabs stop every eight average character widths, as on the classic desktop.
    option.setTabStopDistance(8 * QFontMetricsF(font).averageCharWidth());
    layout_->setTextOption(option);

    QList<QTextLayout::FormatRange> formats;
    for (int pos : text.underlined) {
        QTextLayout::FormatRange range;
        range.start = pos;
        range.length = 1;
        range.format.setFontUnderline(true);
        formats.append(range);
    }
    layout_->setFormats(formats);

    layout_->beginLayout();
    QTextLine line = layout_->createLine();
    if (line.isValid()) {
        line.setLeadingIncluded(false);
        line.setPosition(QPointF(0, 0));
    }
    layout_->endLayout();

    width_ = line.isValid() ? int(std::ceil(line.naturalTextWidth())) : 0;
    height_ = int(std::ceil(QFontMetricsF(font).height()));
    caption_ = caption;
    font_ = font;
    valid_ = true;
}

void CaptionLayoutCache::draw(QImage& image, const QString& caption, const QFont& font,
                              const QColor& colour, const Rect& r) {
    if (caption.isEmpty() || r.right <= r.left || r.bottom <= r.top) {
        return;
    }
    const QRect clip =
        QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)).intersected(image.rect());
    if (clip.isEmpty()) {
        return;
    }
    prepare(caption, font);

    // Centred with whole-pixel offsets; an odd leftover pixel goes right and down.
    const qint64 x = r.left + (qint64(r.right) - r.left - width_) / 2;
    const qint64 y = r.top + (qint64(r.bottom) - r.top - height_) / 2;

    QPainter painter(&image);
    painter.setClipRect(clip);
    painter.setPen(colour);
    layout_->draw(&painter, QPointF(double(x), double(y)));
}

// --- ImageSurface text operations ------------------------------------------------------

void ImageSurface::drawCaption(const QString& text, const Rect& r) {
    const Colour c = textColour_;
    captions_.draw(image_, text, font_,
                   QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)), r);
}

TextSize ImageSurface::textSize(const QString& text) const {
    const QFontMetricsF metrics(font_);
    return {float(metrics.horizontalAdvance(text)), float(metrics.height())};
}

} // namespace korven::host
