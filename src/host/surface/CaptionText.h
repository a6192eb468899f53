#pragma once

#include "host/surface/Geometry.h"

#include <QFont>
#include <QList>
#include <QString>
#include <QTextLayout>
#include <memory>

class QImage;

namespace korven::host {

// A caption with its "&" marks resolved: "&x" shows x underlined, "&&" shows one "&", and
// a lone "&" at the end shows nothing.
struct MnemonicText {
    QString shown;
    QList<int> underlined; // positions in shown
};

MnemonicText resolveMnemonics(const QString& caption);

// Lays out captions and draws their glyphs onto an image. The layout of the last caption
// is kept, since a button redraws the same caption in the same font many times.
class CaptionLayoutCache {
public:
    CaptionLayoutCache();
    ~CaptionLayoutCache();
    CaptionLayoutCache(const CaptionLayoutCache&) = delete;
    CaptionLayoutCache& operator=(const CaptionLayoutCache&) = delete;

    // One line centred both ways in r, clipped to r and to the image; the background is
    // left as it is.
    void draw(QImage& image, const QString& caption, const QFont& font, const QColor& colour,
              const Rect& r);

private:
    void prepare(const QString& caption, const QFont& font);

    QString caption_;
    QFont font_;
    std::unique_ptr<QTextLayout> layout_;
    int width_ = 0;
    int height_ = 0;
    bool valid_ = false;
};

} // namespace korven::host
