#include "converter/core/TextRender.h"

#include "converter/core/CharacterSet.h"

#include <algorithm>
#include <optional>

namespace korven::converter {

namespace {

constexpr int kMargin = 8;
constexpr std::uint8_t kBackground[3] = {52, 84, 140};
constexpr std::uint8_t kShadowColour[3] = {0, 0, 0};
constexpr std::uint8_t kTextColour[3] = {255, 255, 255};

struct Placed {
    PgfGlyph glyph;
    int penX; // whole pixels
};

void blend(RgbaImage& image, const GlyphBitmap& b, int originX, int baselineY,
           const std::uint8_t (&colour)[3]) {
    for (int y = 0; y < b.height; ++y) {
        for (int x = 0; x < b.width; ++x) {
            const int px = originX + b.left + x;
            const int py = baselineY - b.top + y;
            if (px < 0 || py < 0 || px >= image.width || py >= image.height)
                continue;
            const int alpha = b.at(x, y); // 0..15
            std::uint8_t* p = &image.pixels[static_cast<std::size_t>(py * image.width + px) * 4];
            for (int c = 0; c < 3; ++c)
                p[c] =
                    static_cast<std::uint8_t>((p[c] * (15 - alpha) + colour[c] * alpha + 7) / 15);
        }
    }
}

std::optional<std::size_t> lookup(const PgfFile& font, char32_t c) {
    if (c < font.header().firstGlyph)
        return std::nullopt;
    if (auto index = font.glyphIndex(c))
        return index;
    return font.glyphIndex(kUnderscore);
}

} // namespace

std::u32string decodeUtf8(const std::string& text) {
    std::u32string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t extra = 0;
        char32_t c = lead;
        if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            c = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            c = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            c = lead & 0x07;
        }
        bool ok = lead < 0x80 || extra > 0;
        ok = ok && i + extra < text.size();
        for (std::size_t k = 1; ok && k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            ok = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        if (ok) {
            out.push_back(c);
            i += extra + 1;
        } else {
            out.push_back(0xFFFD);
            ++i;
        }
    }
    return out;
}

RgbaImage renderText(const PgfFile& font, const std::u32string& text) {
    const PgfHeader& h = font.header();
    std::vector<Placed> placed;
    std::int64_t pen = 0; // 26.6
    for (char32_t c : text) {
        const std::optional<std::size_t> index = lookup(font, c);
        if (!index)
            continue;
        PgfGlyph g = font.glyph(*index);
        const int penX = static_cast<int>((pen + 32) >> 6);
        pen += std::clamp(g.metrics.horiAdvance, 0, 64 * 128);
        placed.push_back({std::move(g), penX});
    }
    // The header comes from the file, so keep hostile values from overflowing.
    const auto wholePixels = [](std::int64_t value26_6) {
        return static_cast<int>(std::clamp<std::int64_t>((value26_6 + 63) / 64, 0, 256));
    };
    const int ascent = wholePixels(h.maxAscender);
    const int descent = wholePixels(-std::int64_t{h.maxDescender});

    RgbaImage image;
    image.width = static_cast<int>(std::min<std::int64_t>((pen + 63) / 64, 16384)) + 2 * kMargin;
    image.height = ascent + descent + 2 * kMargin;
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height * 4);
    for (std::size_t i = 0; i < image.pixels.size(); i += 4) {
        std::copy(std::begin(kBackground), std::end(kBackground),
                  image.pixels.begin() + static_cast<std::ptrdiff_t>(i));
        image.pixels[i + 3] = 255;
    }
    const int baseline = kMargin + ascent;
    for (const Placed& p : placed)
        blend(image, p.glyph.shadow, kMargin + p.penX, baseline, kShadowColour);
    for (const Placed& p : placed)
        blend(image, p.glyph.bitmap, kMargin + p.penX, baseline, kTextColour);
    return image;
}

} // namespace korven::converter
