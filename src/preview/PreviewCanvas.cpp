#include "preview/PreviewCanvas.h"

#include "converter/core/TextRender.h"

#include <QPainter>
#include <algorithm>

namespace korven::preview {

namespace {
constexpr int kLeft = 8;     // where each line starts
constexpr int kTop = 6;      // the first row
constexpr int kRowGap = 2;   // between rows
constexpr int kWordGap = 18; // between menu words
// The gradient runs from a deep navy at the top to a brighter blue at the bottom, like the
// handheld's menu background.
constexpr converter::Rgb kTopColour{10, 22, 70};
constexpr converter::Rgb kBottomColour{30, 70, 150};
// The fitting guide and the marks under changed glyphs: amber, which neither the white text,
// its black shadow nor the blue background uses.
constexpr QRgb kGuideColour = qRgb(255, 176, 32);
constexpr int kGuideGap = 6; // between the typed text and the box after it
constexpr int kMarkGap = 1;  // between the line's bottom and the marks under changed glyphs
constexpr int kMarkHeight = 2;

std::u32string ToU32(const QString& text) {
    const QList<uint> ucs4 = text.toUcs4();
    return std::u32string(ucs4.begin(), ucs4.end());
}

QRgb ToQRgb(converter::Rgb c) {
    return qRgb(c.red, c.green, c.blue);
}
} // namespace

QStringList MenuWords() {
    return {QStringLiteral("Settings"), QStringLiteral("Photo"), QStringLiteral("Music"),
            QStringLiteral("Video"),    QStringLiteral("Game"),  QStringLiteral("Network")};
}

QStringList SampleLines(const QStringList& extraSets) {
    QStringList lines{QStringLiteral("The quick brown fox jumps over the lazy dog"),
                      QStringLiteral("0123456789 .,:;!?'\"()[]-+/*=%&@#"),
                      QString::fromUtf8("ÄÖÜ äöü é è ñ ç ß")};
    // Romanian's comma-below letters and Vietnamese's stacked marks; then a pangram each.
    const std::pair<const char*, const char*> samples[] = {
        {"latin-extended", "Știință și țară · Tiếng Việt: Đường phố ấm áp"},
        {"greek", "Ξεσκεπάζω την ψυχοφθόρα βδελυγμία"},
        {"cyrillic", "Шеф взъярён тчк щипцы с эхом гудбай Жюль"},
    };
    for (const auto& [set, line] : samples)
        if (extraSets.contains(QLatin1String(set)))
            lines << QString::fromUtf8(line);
    return lines;
}

QStringList ScriptSampleLines() {
    // Hiragana (the opening of the poem that uses every kana once), katakana and common
    // kanji; and a Korean line that uses every basic letter of Hangul.
    return {QString::fromUtf8("いろはにほへと カタカナ 漢字の表示と東京駅"),
            QString::fromUtf8("다람쥐 헌 쳇바퀴에 타고파")};
}

PreviewCanvas::PreviewCanvas() : image_(kCanvasWidth, kCanvasHeight, QImage::Format_RGB32) {
    SetState({});
}

converter::Rgb PreviewCanvas::BackgroundAt(int y) {
    const int span = kCanvasHeight - 1;
    const int t = std::clamp(y, 0, span);
    auto mix = [t, span](int from, int to) {
        return static_cast<std::uint8_t>(from + (to - from) * t / span);
    };
    return {mix(kTopColour.red, kBottomColour.red), mix(kTopColour.green, kBottomColour.green),
            mix(kTopColour.blue, kBottomColour.blue)};
}

void PreviewCanvas::SetState(PreviewState state) {
    state_ = std::move(state);
    DrawGradient();
    userRect_ = QRect();
    if (state_.kind != PreviewState::Kind::Ready || !state_.font) {
        DrawMessage();
        return;
    }
    DrawLines();
}

void PreviewCanvas::SetUserLine(const QString& line) {
    userLine_ = line;
    if (!userRect_.isEmpty())
        DrawUserLine();
}

void PreviewCanvas::SetGuide(bool shown) {
    guide_ = shown;
    if (!userRect_.isEmpty())
        DrawUserLine();
}

void PreviewCanvas::DrawGradient() {
    for (int y = 0; y < kCanvasHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
        std::fill(row, row + kCanvasWidth, ToQRgb(BackgroundAt(y)));
    }
}

void PreviewCanvas::DrawMessage() {
    QPainter painter(&image_);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(16);
    painter.setFont(font);
    painter.drawText(QRect(16, 16, kCanvasWidth - 32, kCanvasHeight - 32),
                     Qt::AlignCenter | Qt::TextWordWrap, state_.message);
}

void PreviewCanvas::FillStrip(int y, int height, converter::Rgb colour) {
    for (int row = std::max(y, 0); row < std::min(y + height, kCanvasHeight); ++row) {
        auto* target = reinterpret_cast<QRgb*>(image_.scanLine(row));
        std::fill(target, target + kCanvasWidth, ToQRgb(colour));
    }
}

void PreviewCanvas::Lay(const converter::RgbaImage& line, QPoint origin) {
    for (int row = kLineTrim; row < line.height - kLineTrim; ++row) {
        const int y = origin.y() + row;
        if (y < 0 || y >= kCanvasHeight)
            continue;
        auto* target = reinterpret_cast<QRgb*>(image_.scanLine(y));
        const std::uint8_t* source =
            line.pixels.data() + static_cast<std::size_t>(row) * line.width * 4;
        for (int column = kLineTrim; column < line.width - kLineTrim; ++column) {
            const int x = origin.x() + column;
            if (x < 0 || x >= kCanvasWidth)
                continue;
            const std::uint8_t* p = source + column * 4;
            target[x] = qRgb(p[0], p[1], p[2]);
        }
    }
}

void PreviewCanvas::DrawLine(const QString& text, int y, converter::Rgb colour) {
    FillStrip(y, lineHeight_, colour);
    Lay(converter::renderText(state_.font->font, ToU32(text), colour),
        QPoint(kLeft - kLineTrim, y - kLineTrim));
}

void PreviewCanvas::DrawLines() {
    const converter::PgfFile& font = state_.font->font;
    lineHeight_ = converter::renderText(font, U"").height - 2 * kLineTrim;
    int y = kTop;
    // The menu words side by side, a word that does not fit starting the next row. A word's
    // width does not depend on its background, so only a wrapped word is drawn a second time.
    converter::Rgb colour = BackgroundAt(y + lineHeight_ / 2);
    FillStrip(y, lineHeight_, colour);
    int x = kLeft;
    for (const QString& word : MenuWords()) {
        converter::RgbaImage image = converter::renderText(font, ToU32(word), colour);
        const int width = image.width - 2 * kLineTrim;
        if (x > kLeft && x + width > kCanvasWidth) {
            y += lineHeight_ + kRowGap;
            x = kLeft;
            colour = BackgroundAt(y + lineHeight_ / 2);
            FillStrip(y, lineHeight_, colour);
            image = converter::renderText(font, ToU32(word), colour);
        }
        Lay(image, QPoint(x - kLineTrim, y - kLineTrim));
        x += width + kWordGap;
    }
    y += lineHeight_ + kRowGap * 4;

    QStringList lines = SampleLines(state_.font->extraSets);
    QStringList scriptLines;
    for (const QString& line : ScriptSampleLines())
        if (converter::charactersNotHeld(font, ToU32(line)).empty())
            scriptLines << line;
    // A script's glyphs are tall, and so are its file's lines: the user's line stays whole on
    // the screen, and the script's own line is kept before the Latin ones from the last up,
    // the pangram always.
    const auto userLineTop = [&](qsizetype count) {
        return y + static_cast<int>(count) * (lineHeight_ + kRowGap) + kRowGap * 3;
    };
    while (lines.size() > 1 &&
           userLineTop(lines.size() + scriptLines.size()) + lineHeight_ > kCanvasHeight)
        lines.removeLast();
    lines += scriptLines;
    shownLines_ = lines;
    for (const QString& line : lines) {
        DrawLine(line, y, BackgroundAt(y + lineHeight_ / 2));
        y += lineHeight_ + kRowGap;
    }
    y += kRowGap * 3;

    userBackground_ = BackgroundAt(y + lineHeight_ / 2);
    userRect_ = QRect(0, y, kCanvasWidth, lineHeight_).intersected(image_.rect());
    userOrigin_ = QPoint(kLeft - kLineTrim, y - kLineTrim);
    DrawUserLine();
}

void PreviewCanvas::DrawUserLine() {
    if (!state_.font)
        return;
    DrawLine(userLine_, userRect_.y(), userBackground_);
    if (!state_.font->fit)
        return;
    const converter::LineOrigin origin = converter::lineOrigin(state_.font->font);
    const QPoint pen = userOrigin_ + QPoint(origin.x, origin.baseline);
    const std::vector<converter::PlacedCharacter> placed =
        converter::layoutLine(state_.font->font, ToU32(userLine_));
    int textWidth = 0;
    if (!placed.empty()) {
        const converter::PlacedCharacter& last = placed.back();
        textWidth = last.penX + state_.font->font.glyph(last.glyphIndex).metrics.horiAdvance / 64;
    }
    if (guide_)
        DrawGuide(*state_.font->fit, pen, textWidth);
    MarkFitted(pen);
}

void PreviewCanvas::Plot(int x, int y, QRgb colour, bool behind) {
    if (!userRect_.contains(x, y))
        return;
    auto* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
    if (!behind || row[x] == ToQRgb(userBackground_))
        row[x] = colour;
}

void PreviewCanvas::DrawGuide(const converter::FitTarget& box, QPoint pen, int textWidth) {
    // The line games space their text by, across the whole row.
    const int lineTop = pen.y() - (box.ascender + 63) / 64;
    const int lineBottom = pen.y() + (-box.descender + 63) / 64;
    for (int x = 0; x < kCanvasWidth; ++x) {
        Plot(x, lineTop, kGuideColour, true);
        Plot(x, lineBottom, kGuideColour, true);
    }
    // The largest glyph the file may hold, standing where its highest ink may reach.
    const int left = pen.x() + textWidth + kGuideGap;
    const int top = pen.y() - box.maxBaseY / 64;
    const int right = left + box.maxGlyphWidth - 1;
    const int bottom = top + box.maxGlyphHeight - 1;
    for (int x = left; x <= right; ++x) {
        Plot(x, top, kGuideColour, true);
        Plot(x, bottom, kGuideColour, true);
    }
    for (int y = top; y <= bottom; ++y) {
        Plot(left, y, kGuideColour, true);
        Plot(right, y, kGuideColour, true);
    }
}

void PreviewCanvas::MarkFitted(QPoint pen) {
    const std::vector<char32_t>& fitted = state_.font->fitted;
    if (fitted.empty())
        return;
    const int markTop = pen.y() + (-state_.font->font.header().maxDescender + 63) / 64 + kMarkGap;
    for (const converter::PlacedCharacter& c :
         converter::layoutLine(state_.font->font, ToU32(userLine_))) {
        if (!std::binary_search(fitted.begin(), fitted.end(), c.codePoint))
            continue;
        const converter::GlyphBitmap bitmap = state_.font->font.glyph(c.glyphIndex).bitmap;
        for (int y = markTop; y < markTop + kMarkHeight; ++y)
            for (int x = 0; x < bitmap.width; ++x)
                Plot(pen.x() + c.penX + bitmap.left + x, y, kGuideColour, false);
    }
}

} // namespace korven::preview
