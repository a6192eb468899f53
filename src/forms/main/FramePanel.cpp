#include "forms/main/FramePanel.h"

#include <QFontMetrics>
#include <QPainter>

namespace korven::forms {

FramePanel::FramePanel(const QString& caption, const QColor& background, QWidget* parent)
    : QWidget(parent), caption_(caption), background_(background), captionFont_(font()) {}

void FramePanel::setCaptionFont(const QFont& font) {
    captionFont_ = font;
    update();
}

void FramePanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), background_);

    const QFontMetrics fm(captionFont_);
    // The border runs through the middle of the caption's line, as a frame's border does.
    const int borderTop = fm.height() / 2;
    const QRect box = rect().adjusted(0, borderTop, -1, -1);
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(box.adjusted(0, 0, -1, -1));
    p.setPen(palette().color(QPalette::Light));
    p.drawRect(box.adjusted(1, 1, 0, 0));

    if (caption_.isEmpty()) {
        return;
    }
    const int textLeft = 6;
    const QRect textRect(textLeft, 0, fm.horizontalAdvance(caption_) + 2, fm.height());
    p.fillRect(textRect, background_);
    p.setFont(captionFont_);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine, caption_);
}

} // namespace korven::forms
