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

    for (const QString& line : SampleLines(state_.font->extraSets)) {
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
}

} // namespace korven::preview
