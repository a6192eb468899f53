#pragma once

#include "converter/core/RgbaImage.h"
#include "preview/PreviewModel.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

namespace korven::preview {

// The handheld's screen, in its own pixels.
inline constexpr int kCanvasWidth = 480;
inline constexpr int kCanvasHeight = 272;

// The fixed sample lines, top to bottom (the menu words are spread over one or more rows).
QStringList MenuWords();
QStringList SampleLines();

// The handheld's screen drawn from a preview: the menu words, the sample lines and the user's
// own line on a dark blue gradient, each line drawn by the converter's text renderer exactly as
// `ttf2pgf --render` draws it. The gradient is stepped under each line: a line sits on one
// solid colour, the one `--render --background` is given to draw the same pixels.
// Without a font, the canvas shows the state's message in words instead.
class PreviewCanvas {
public:
    PreviewCanvas();

    // Redraws everything for a new state.
    void SetState(PreviewState state);
    // Redraws only the user's line; nothing is converted.
    void SetUserLine(const QString& line);

    const QImage& Image() const { return image_; }
    const PreviewState& State() const { return state_; }
    // Where the user's line is drawn and on which colour; an empty rectangle without a font.
    QRect UserLineRect() const { return userRect_; }
    converter::Rgb UserLineBackground() const { return userBackground_; }

    // The gradient's colour at a row of the canvas.
    static converter::Rgb BackgroundAt(int y);

private:
    void DrawGradient();
    void DrawMessage();
    void DrawLines();
    // Fills a full-width strip with `colour` and lays the rendered line on it at x.
    void Blit(const converter::RgbaImage& line, int x, int y, converter::Rgb colour);
    void FillStrip(int y, int height, converter::Rgb colour);
    // Lays the rendered line at (x, y), clipped to the canvas.
    void Lay(const converter::RgbaImage& line, int x, int y);
    void DrawUserLine();

    PreviewState state_;
    QString userLine_;
    QImage image_;
    QRect userRect_;
    converter::Rgb userBackground_;
    int lineHeight_ = 0;
};

} // namespace korven::preview
