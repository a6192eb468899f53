#include "TestFont.h"

#include <algorithm>
#include <map>
#include <string>

namespace korven::converter::testing {

namespace {

using Bytes = std::vector<std::uint8_t>;

void u16(Bytes& b, int v) {
    b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
}
void u32(Bytes& b, std::uint32_t v) {
    u16(b, static_cast<int>(v >> 16));
    u16(b, static_cast<int>(v & 0xFFFF));
}

Bytes rectangleGlyph(const TestGlyph& g) {
    Bytes b;
    if (g.xMin == g.xMax || g.yMin == g.yMax)
        return b;
    u16(b, 1); // one contour
    u16(b, g.xMin);
    u16(b, g.yMin);
    u16(b, g.xMax);
    u16(b, g.yMax);
    u16(b, 3); // last point of the contour
    u16(b, 0); // no instructions
    for (int i = 0; i < 4; ++i)
        b.push_back(0x01); // on-curve, 16-bit deltas
    const int xs[] = {g.xMin, g.xMin, g.xMax, g.xMax};
    const int ys[] = {g.yMin, g.yMax, g.yMax, g.yMin};
    int x = 0, y = 0;
    for (int v : xs) {
        u16(b, v - x);
        x = v;
    }
    for (int v : ys) {
        u16(b, v - y);
        y = v;
    }
    while (b.size() % 4)
        b.push_back(0);
    return b;
}

Bytes cmapTable(const std::vector<TestGlyph>& glyphs) {
    std::vector<std::pair<int, int>> map; // code point, glyph id
    for (std::size_t i = 0; i < glyphs.size(); ++i)
        map.emplace_back(static_cast<int>(glyphs[i].codePoint), static_cast<int>(i + 1));
    std::sort(map.begin(), map.end());
    const int segments = static_cast<int>(map.size()) + 1;
    Bytes sub;
    u16(sub, 4);
    u16(sub, 16 + 8 * segments);
    u16(sub, 0);
    u16(sub, segments * 2);
    u16(sub, 0);
    u16(sub, 0);
    u16(sub, 0); // search hints: FreeType does not need them
    for (const auto& [cp, id] : map)
        u16(sub, cp);
    u16(sub, 0xFFFF);
    u16(sub, 0);
    for (const auto& [cp, id] : map)
        u16(sub, cp);
    u16(sub, 0xFFFF);
    for (const auto& [cp, id] : map)
        u16(sub, (id - cp) & 0xFFFF);
    u16(sub, 1);
    for (int i = 0; i < segments; ++i)
        u16(sub, 0);
    Bytes b;
    u16(b, 0);
    u16(b, 1);
    u16(b, 3); // Windows
    u16(b, 1); // Unicode BMP
    u32(b, 12);
    b.insert(b.end(), sub.begin(), sub.end());
    return b;
}

} // namespace

std::vector<TestGlyph> basicGlyphs() {
    std::vector<TestGlyph> glyphs;
    for (const auto& [first, last] : {std::pair{'0', '9'}, {'A', 'Z'}, {'a', 'z'}})
        for (char c = first; c <= last; ++c)
            glyphs.push_back({static_cast<char32_t>(c), 500, 50, 0, 450, 700});
    return glyphs;
}

std::vector<std::uint8_t> buildTestFont(const std::vector<TestGlyph>& glyphs,
                                        const TestFontOptions& o) {
    const int numGlyphs = static_cast<int>(glyphs.size()) + 1; // glyph 0 is .notdef
    std::map<std::string, Bytes> tables;

    Bytes glyf, loca;
    u32(loca, 0);
    u32(loca, 0); // .notdef is empty
    int advanceMax = 0;
    for (const TestGlyph& g : glyphs) {
        const Bytes data = rectangleGlyph(g);
        glyf.insert(glyf.end(), data.begin(), data.end());
        u32(loca, static_cast<std::uint32_t>(glyf.size()));
        advanceMax = std::max(advanceMax, g.advance);
    }
    tables["glyf"] = glyf;
    tables["loca"] = loca;

    Bytes& head = tables["head"];
    u32(head, 0x00010000);
    u32(head, 0x00010000);
    u32(head, 0);
    u32(head, 0x5F0F3CF5);
    u16(head, 0x000B);
    u16(head, o.unitsPerEm);
    for (int i = 0; i < 4; ++i)
        u32(head, 0); // created, modified
    u16(head, 0);
    u16(head, -o.unitsPerEm);
    u16(head, 4 * o.unitsPerEm);
    u16(head, 2 * o.unitsPerEm);
    u16(head, 0);
    u16(head, 8);
    u16(head, 2);
    u16(head, 1); // long loca offsets
    u16(head, 0);

    Bytes& hhea = tables["hhea"];
    u32(hhea, 0x00010000);
    u16(hhea, o.ascender);
    u16(hhea, o.descender);
    u16(hhea, 0);
    u16(hhea, advanceMax);
    for (int i = 0; i < 11; ++i)
        u16(hhea, i == 3 ? 1 : 0); // bearings, extent, caret slope rise 1, reserved, format
    u16(hhea, numGlyphs);

    Bytes& maxp = tables["maxp"];
    u32(maxp, 0x00010000);
    u16(maxp, numGlyphs);
    for (int v : {8, 1, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0})
        u16(maxp, v);

    Bytes& hmtx = tables["hmtx"];
    u16(hmtx, o.unitsPerEm / 2);
    u16(hmtx, 0);
    for (const TestGlyph& g : glyphs) {
        u16(hmtx, g.advance);
        u16(hmtx, g.xMin);
    }

    Bytes& post = tables["post"];
    u32(post, 0x00030000);
    u32(post, 0);
    u16(post, o.underlinePosition);
    u16(post, o.underlineThickness);
    for (int i = 0; i < 5; ++i)
        u32(post, 0);

    tables["cmap"] = cmapTable(glyphs);

    Bytes font;
    u32(font, 0x00010000);
    u16(font, static_cast<int>(tables.size()));
    u16(font, 0);
    u16(font, 0);
    u16(font, 0);
    std::uint32_t offset = 12 + 16 * static_cast<std::uint32_t>(tables.size());
    for (const auto& [tag, data] : tables) { // std::map keeps the tags sorted
        font.insert(font.end(), tag.begin(), tag.end());
        u32(font, 0); // checksum: FreeType does not verify it
        u32(font, offset);
        u32(font, static_cast<std::uint32_t>(data.size()));
        offset += static_cast<std::uint32_t>((data.size() + 3) / 4 * 4);
    }
    for (const auto& [tag, data] : tables) {
        font.insert(font.end(), data.begin(), data.end());
        font.resize((font.size() + 3) / 4 * 4, 0);
    }
    return font;
}

} // namespace korven::converter::testing
