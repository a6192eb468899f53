#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

namespace korven::forms {

// A captioned frame: a filled rectangle with an etched border whose caption interrupts the top
// edge. Painted by hand so the fill covers the whole rectangle on every style, caption included.
class FramePanel : public QWidget {
    Q_OBJECT
public:
    FramePanel(const QString& caption, const QColor& background, QWidget* parent = nullptr);

    QString caption() const { return caption_; }
    QColor background() const { return background_; }
    // The caption has a font of its own; the controls inside keep the window's font.
    void setCaptionFont(const QFont& font);
    QFont captionFont() const { return captionFont_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    QColor background_;
    QFont captionFont_;
};

} // namespace korven::forms
