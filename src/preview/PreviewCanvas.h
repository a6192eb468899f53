#pragma once

#include "converter/core/RgbaImage.h"
#include "preview/PreviewModel.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

namespace korven::preview {

// The handheld's screen, in its own pixels.
inline constexpr int kCanvasWidth = 480;
inline constexpr int kCanvasHeight = 272;
// The renderer leaves a margin round a line for its shadows; this much of it is not shown, so
// that the lines sit closer together. A shadow reaches at most 4 pixels beyond the ink.
inline constexpr int kLineTrim = 4;

// The fixed sample lines, top to bottom (the menu words are spread over one or more rows), and
// one more for each chosen extra character set ("latin-extended", "greek", "cyrillic").
QStringList MenuWords();
QStringList SampleLines(const QStringList& extraSets = {});
// A Japanese line (kana and kanji) and a Korean line, each shown under the sample lines when
// the file holds every character of it, as jpn0.pgf and kr0.pgf do.
QStringList ScriptSampleLines();

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
    // For a fitted file: whether the user's line shows the box it was fitted to (the font's line
    // across it and, after the text, the largest glyph's box standing on the baseline), drawn
    // thinly behind the text. Glyphs of the line that were changed to fit are underlined
    // either way. Redraws only the user's line.
    void SetGuide(bool shown);
    bool GuideShown() const { return guide_; }

    const QImage& Image() const { return image_; }
    const PreviewState& State() const { return state_; }
    // Where the user's line is drawn and on which colour; an empty rectangle without a font.
    QRect UserLineRect() const { return userRect_; }
    converter::Rgb UserLineBackground() const { return userBackground_; }
    // The sample lines drawn below the menu words, top to bottom.
    const QStringList& ShownLines() const { return shownLines_; }
    // Where the top-left corner of the user's line as `ttf2pgf --render` draws it falls on the
    // canvas (the canvas shows that picture less kLineTrim pixels of its margin).
    QPoint UserLineOrigin() const { return userOrigin_; }

    // The gradient's colour at a row of the canvas.
    static converter::Rgb BackgroundAt(int y);

private:
    void DrawGradient();
    void DrawMessage();
    void DrawLines();
    void FillStrip(int y, int height, converter::Rgb colour);
    // Lays a rendered line with its top-left corner at `origin`, clipped to the canvas and
    // without the outer kLineTrim pixels of its margin, so lines can sit closer together.
    void Lay(const converter::RgbaImage& line, QPoint origin);
    // Draws one line on a strip of `colour` whose top is at y.
    void DrawLine(const QString& text, int y, converter::Rgb colour);
    void DrawUserLine();
    void DrawGuide(const converter::FitTarget& box, QPoint pen, int textWidth);
    void MarkFitted(QPoint pen);
    // Sets a canvas pixel, within the user's line only; `behind`: only where the line's
    // background shows, so the guide never covers ink.
    void Plot(int x, int y, QRgb colour, bool behind);

    PreviewState state_;
    QString userLine_;
    QImage image_;
    QRect userRect_;
    QPoint userOrigin_;
    converter::Rgb userBackground_;
    int lineHeight_ = 0;
    QStringList shownLines_;
    bool guide_ = true;
};

} // namespace korven::preview
