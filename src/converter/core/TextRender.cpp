#include "converter/core/TextRender.h"

#include "converter/core/CharacterSet.h"

#include <algorithm>
#include <optional>

namespace korven::converter {

namespace {

constexpr int kMargin = 8;
constexpr int kFullLevel = 15;
constexpr Rgb kShadowColour{0, 0, 0};
constexpr Rgb kTextColour{255, 255, 255};

struct Placed {
    PgfGlyph glyph;
    int penX; // whole pixels
};

std::uint8_t mix(std::uint8_t under, std::uint8_t over, int level) {
    return static_cast<std::uint8_t>((under * (kFullLevel - level) + over * level + 7) /
                                     kFullLevel);
}

void layOver(std::uint8_t* p, const Rgb& colour, int level) {
    p[0] = mix(p[0], colour.red, level);
    p[1] = mix(p[1], colour.green, level);
    p[2] = mix(p[2], colour.blue, level);
}

// Calls visit(pixel index, level) for every pixel of the bitmap that falls inside the image.
template <typename Visit>
void forEachPixel(const RgbaImage& image, const GlyphBitmap& b, int originX, int baselineY,
                  Visit visit) {
    for (int y = 0; y < b.height; ++y) {
        for (int x = 0; x < b.width; ++x) {
            const int px = originX + b.left + x;
            const int py = baselineY - b.top + y;
            if (px < 0 || py < 0 || px >= image.width || py >= image.height)
                continue;
            visit(static_cast<std::size_t>(py) * static_cast<std::size_t>(image.width) +
                      static_cast<std::size_t>(px),
                  static_cast<int>(b.at(x, y))); // 0..15
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

std::u32string charactersNotHeld(const PgfFile& font, const std::u32string& text) {
    std::u32string missing;
    for (char32_t c : text) {
        if (c >= font.header().firstGlyph && !font.glyphIndex(c) &&
            missing.find(c) == std::u32string::npos)
            missing.push_back(c);
    }
    return missing;
}

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

namespace {

// The header comes from the file, so keep hostile values from overflowing.
int wholePixels(std::int64_t value26_6) {
    return static_cast<int>(std::clamp<std::int64_t>((value26_6 + 63) / 64, 0, 256));
}

// Where the pen stands after each glyph, 26.6; an advance is kept within 128 pixels.
std::int64_t advanced(std::int64_t pen, const PgfGlyph& g) {
    return pen + std::clamp(g.metrics.horiAdvance, 0, 64 * 128);
}

} // namespace

namespace {

// The glyphs of a line with their pen positions, decoded once; `pen` ends where the line does
// (26.6).
std::vector<Placed> placeLine(const PgfFile& font, const std::u32string& text, std::int64_t& pen,
                              std::vector<PlacedCharacter>* characters = nullptr) {
    std::vector<Placed> placed;
    pen = 0;
    for (char32_t c : text) {
        const std::optional<std::size_t> index = lookup(font, c);
        if (!index)
            continue;
        PgfGlyph g = font.glyph(*index);
        const int penX = static_cast<int>((pen + 32) >> 6);
        pen = advanced(pen, g);
        placed.push_back({std::move(g), penX});
        if (characters)
            characters->push_back({c, *index, penX});
    }
    return placed;
}

} // namespace

std::vector<PlacedCharacter> layoutLine(const PgfFile& font, const std::u32string& text) {
    std::vector<PlacedCharacter> characters;
    std::int64_t pen = 0;
    placeLine(font, text, pen, &characters);
    return characters;
}

LineOrigin lineOrigin(const PgfFile& font) {
    return {kMargin, kMargin + wholePixels(font.header().maxAscender)};
}

RgbaImage renderText(const PgfFile& font, const std::u32string& text, Rgb background) {
    const PgfHeader& h = font.header();
    std::int64_t pen = 0; // 26.6
    const std::vector<Placed> placed = placeLine(font, text, pen);
    const int ascent = wholePixels(h.maxAscender);
    const int descent = wholePixels(-std::int64_t{h.maxDescender});

    RgbaImage image;
    image.width = static_cast<int>(std::min<std::int64_t>((pen + 63) / 64, 16384)) + 2 * kMargin;
    image.height = ascent + descent + 2 * kMargin;
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height * 4);
    for (std::size_t i = 0; i < image.pixels.size(); i += 4) {
        image.pixels[i] = background.red;
        image.pixels[i + 1] = background.green;
        image.pixels[i + 2] = background.blue;
        image.pixels[i + 3] = 255;
    }
    const int baseline = kMargin + ascent;
    for (const Placed& p : placed)
        forEachPixel(image, p.glyph.shadow, kMargin + p.penX, baseline,
                     [&](std::size_t at, int level) {
                         layOver(&image.pixels[at * 4], kShadowColour, level);
                     });
    // The handheld adds the glyphs' levels into one buffer, full at 15, and draws that once:
    // blending glyph after glyph would leave the ink fainter where kerned neighbours share a pixel.
    std::vector<std::uint8_t> coverage(static_cast<std::size_t>(image.width) * image.height, 0);
    for (const Placed& p : placed)
        forEachPixel(image, p.glyph.bitmap, kMargin + p.penX, baseline,
                     [&](std::size_t at, int level) {
                         coverage[at] =
                             static_cast<std::uint8_t>(std::min(coverage[at] + level, kFullLevel));
                     });
    for (std::size_t at = 0; at < coverage.size(); ++at)
        if (coverage[at] != 0)
            layOver(&image.pixels[at * 4], kTextColour, coverage[at]);
    return image;
}

} // namespace korven::converter
