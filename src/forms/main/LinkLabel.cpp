#include "forms/main/LinkLabel.h"

#include <QMouseEvent>

namespace korven::forms {

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setMouseTracking(true);
    setAutoFillBackground(true);
}

void LinkLabel::setLook(bool underlined, const QColor& textColor) {
    QFont f = font();
    f.setUnderline(underlined);
    setFont(f);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, textColor);
    setPalette(pal);
}

QColor LinkLabel::textColor() const {
    return palette().color(QPalette::WindowText);
}

void LinkLabel::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved();
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    // A click is a press and release of the left button over the label.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    event->accept();
}

} // namespace korven::forms
