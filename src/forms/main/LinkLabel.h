#pragma once

#include <QLabel>

namespace korven::forms {

// The web-site label: a plain label that reports pointer moves over it and clicks on it, so the
// window can light it up and open the address. Its looks are decided by the window.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

    // Underline and text colour in one step; these are the label's only two changing properties.
    void setLook(bool underlined, const QColor& textColor);
    QColor textColor() const;

signals:
    void mouseMoved();
    void clicked();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace korven::forms
