#include "converter/core/HandheldFonts.h"

#include "converter/core/CharacterSet.h"
#include "converter/core/PgfReader.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

namespace korven::converter {

namespace {

constexpr std::int32_t kNormalPoints = 0x288; // 10.125 pt: 18 px per em at 128 dpi
constexpr std::int32_t kSmallPoints = 0x1C0;  // 7 pt: 12.44 px per em

// The firmware files' sizes, highest ink and largest bitmaps as an emulator's registry of the
// real files records them (the values it says must match a real handheld's font files).
// Kana and common kanji, and Hangul syllables of the simplest and the most crowded shapes: a
// line of Japanese or Korean text shows them side by side.
constexpr std::u32string_view kJapaneseLetters = U"あいうかきアイウカキ日本語漢字国学";
constexpr std::u32string_view kKoreanLetters = U"가나다한글국어뷁똠쀍";

constexpr std::array<HandheldFont, 18> kFonts = {{
    {"ltn0", 69108, 0x4B2, 23, 20, kNormalPoints},
    {"ltn1", 65124, 0x482, 23, 20, kNormalPoints},
    {"ltn2", 72948, 0x4B2, 25, 20, kNormalPoints},
    {"ltn3", 67700, 0x482, 25, 20, kNormalPoints},
    {"ltn4", 72828, 0x4F7, 24, 21, kNormalPoints},
    {"ltn5", 68220, 0x49C, 24, 20, kNormalPoints},
    {"ltn6", 77032, 0x4F7, 27, 21, kNormalPoints},
    {"ltn7", 71144, 0x49C, 27, 20, kNormalPoints},
    {"ltn8", 41000, 0x321, 16, 14, kSmallPoints},
    {"ltn9", 40164, 0x302, 16, 14, kSmallPoints},
    {"ltn10", 42692, 0x321, 17, 14, kSmallPoints},
    {"ltn11", 41488, 0x302, 17, 14, kSmallPoints},
    {"ltn12", 43136, 0x34F, 17, 15, kSmallPoints},
    {"ltn13", 41772, 0x312, 17, 14, kSmallPoints},
    {"ltn14", 45184, 0x34F, 18, 15, kSmallPoints},
    {"ltn15", 43044, 0x312, 18, 14, kSmallPoints},
    {"jpn0", 1581700, 0x4B4, 19, 20, kNormalPoints, kJapaneseLetters},
    {"kr0", 394192, 0x3CB, 21, 20, kNormalPoints, kKoreanLetters},
}};

// ltn0's line and widest advance as a real handheld's font library reported them (26.6 px).
// Font makers' measurements of the small fonts agree with this line scaled by the em size.
constexpr std::int32_t kLtn0Ascender = 863;
constexpr std::int32_t kLtn0Descender = -196;
constexpr std::int32_t kLtn0MaxAdvance = 1585;
constexpr std::int32_t kLtn0LineAdvance = 1094;

std::int32_t scaled(std::int32_t ltn0Value, std::int32_t points) {
    return static_cast<std::int32_t>(
        std::lround(static_cast<double>(ltn0Value) * points / kNormalPoints));
}

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

std::span<const HandheldFont> handheldFonts() {
    return kFonts;
}

const HandheldFont& handheldFontForFile(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string name = lowerCase(slash == std::string::npos ? path : path.substr(slash + 1));
    for (const HandheldFont& font : kFonts)
        if (name == std::string(font.name) + ".pgf")
            return font;
    return kFonts[0];
}

std::optional<std::int32_t> FitTarget::referenceAdvance(char32_t codePoint) const {
    const auto found = std::lower_bound(
        referenceAdvances.begin(), referenceAdvances.end(), codePoint,
        [](const std::pair<char32_t, std::int32_t>& entry, char32_t c) { return entry.first < c; });
    if (found == referenceAdvances.end() || found->first != codePoint)
        return std::nullopt;
    return found->second;
}

FitTarget fitTargetOf(const HandheldFont& font) {
    FitTarget target;
    target.maxGlyphWidth = font.maxGlyphWidth;
    target.maxGlyphHeight = font.maxGlyphHeight;
    target.maxBaseY = font.maxBaseY;
    target.maxAdvance = scaled(kLtn0MaxAdvance, font.pointSize);
    target.ascender = scaled(kLtn0Ascender, font.pointSize);
    target.descender = scaled(kLtn0Descender, font.pointSize);
    target.lineAdvance = scaled(kLtn0LineAdvance, font.pointSize);
    target.referenceBytes = static_cast<std::size_t>(font.fileBytes);
    target.sizingCharacters = font.scriptLetters;
    target.whose = "the handheld's";
    return target;
}

FitTarget fitTargetOf(const PgfFile& reference, std::string whose) {
    const PgfHeader& h = reference.header();
    FitTarget target;
    target.maxGlyphWidth = h.maxGlyphWidth;
    target.maxGlyphHeight = h.maxGlyphHeight;
    target.maxBaseY = h.maxBaseYAdjust;
    target.maxAdvance = h.maxAdvanceH;
    target.ascender = h.maxAscender;
    target.descender = h.maxDescender;
    target.lineAdvance = h.maxAdvanceV;
    target.referenceBytes = reference.bytes().size();
    target.whose = std::move(whose);
    for (std::size_t i = 0; i < reference.glyphCount(); ++i)
        if (const char32_t c = reference.codePointOf(i); c != kNoCodePoint)
            target.referenceAdvances.emplace_back(c, reference.glyph(i).metrics.horiAdvance);
    std::sort(target.referenceAdvances.begin(), target.referenceAdvances.end());
    target.referenceAdvances.erase(
        std::unique(target.referenceAdvances.begin(), target.referenceAdvances.end(),
                    [](const auto& a, const auto& b) { return a.first == b.first; }),
        target.referenceAdvances.end());
    return target;
}

std::vector<std::string> fitProblems(const PgfFile& file, const FitTarget& target) {
    std::vector<std::string> problems;
    auto above = [&](const std::string& what, long value, long limit) {
        if (value > limit)
            problems.push_back(what + " " + std::to_string(value) + " above " +
                               std::to_string(limit));
    };
    const PgfHeader& h = file.header();
    above("header maxGlyphWidth", h.maxGlyphWidth, target.maxGlyphWidth);
    above("header maxGlyphHeight", h.maxGlyphHeight, target.maxGlyphHeight);
    above("header maxBaseY", h.maxBaseYAdjust, target.maxBaseY);
    above("header maxAdvance", h.maxAdvanceH, target.maxAdvance);
    if (h.maxAscender != target.ascender || h.maxDescender != target.descender)
        problems.push_back("header line " + std::to_string(h.maxAscender) + "/" +
                           std::to_string(h.maxDescender) + " instead of " +
                           std::to_string(target.ascender) + "/" +
                           std::to_string(target.descender));
    for (std::size_t i = 0; i < file.glyphCount(); ++i) {
        const PgfGlyph g = file.glyph(i);
        const std::string name = "glyph " + codePointName(file.codePointOf(i));
        above(name + " width", g.bitmap.width, target.maxGlyphWidth);
        above(name + " height", g.bitmap.height, target.maxGlyphHeight);
        if (g.bitmap.width > 0 && g.bitmap.height > 0)
            above(name + " top", g.bitmap.top * 64L, target.maxBaseY);
        above(name + " advance", g.metrics.horiAdvance, target.maxAdvance);
        if (const auto reference = target.referenceAdvance(file.codePointOf(i));
            reference && g.metrics.horiAdvance != *reference)
            problems.push_back(name + " advance " + std::to_string(g.metrics.horiAdvance) +
                               " instead of " + std::to_string(*reference));
    }
    return problems;
}

} // namespace korven::converter
