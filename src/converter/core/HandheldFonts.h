#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korven::converter {

// The measures of one of the handheld's own system font files, as its firmware ships it. Games
// were laid out for these: they size glyph buffers, line heights and text boxes from them.
struct HandheldFont {
    std::string_view name;      // "ltn4": the file is ltn4.pgf
    int fileBytes = 0;          // the firmware file's size
    std::int32_t maxBaseY = 0;  // highest ink above the baseline, 26.6 pixels
    int maxGlyphWidth = 0;      // widest bitmap, whole pixels
    int maxGlyphHeight = 0;     // tallest bitmap, whole pixels
    std::int32_t pointSize = 0; // nominal size, 26.6 points at 128 dpi (648 = 18 px per em)
    // The script's own letters beside A-Z, a-z and 0-9 that must keep one size (see
    // FitTarget::sizingCharacters); empty for the Latin fonts.
    std::u32string_view scriptLetters{};
};

// The eighteen system fonts: ltn0 to ltn15, jpn0 and kr0.
std::span<const HandheldFont> handheldFonts();

// The handheld font whose file a path names ("/media/x/ltn4.pgf" gives ltn4; upper case too);
// any other name gives ltn0, the font a single conversion replaces.
const HandheldFont& handheldFontForFile(const std::string& path);

// What a fitted file must keep to: every bitmap within maxGlyphWidth x maxGlyphHeight, every
// glyph's top (bitmap and metric) at or below maxBaseY, every advance at or below maxAdvance.
// The header's line becomes ascender/descender, and no glyph's line height exceeds
// lineAdvance. With referenceAdvances (sorted by code point), each of those characters takes
// exactly that advance, its glyph centred in it.
struct FitTarget {
    int maxGlyphWidth = 0;
    int maxGlyphHeight = 0;
    std::int32_t maxBaseY = 0;    // 26.6
    std::int32_t maxAdvance = 0;  // 26.6
    std::int32_t ascender = 0;    // 26.6, positive
    std::int32_t descender = 0;   // 26.6, negative or zero
    std::int32_t lineAdvance = 0; // 26.6
    std::vector<std::pair<char32_t, std::int32_t>> referenceAdvances{};
    // Beside A-Z, a-z and 0-9, characters that a line of text needs at one size: when one
    // of them does not fit, the whole file is set smaller rather than that glyph alone.
    std::u32string sizingCharacters{};
    // The size of the file the target was taken from: a larger file may not open in a game
    // that has little memory. 0 when unknown.
    std::size_t referenceBytes = 0;
    // Whose measures these are, for notes: "the handheld's", "\"ltn0.pgf\"'s".
    std::string whose{};
    bool operator==(const FitTarget&) const = default;

    std::optional<std::int32_t> referenceAdvance(char32_t codePoint) const;
};

class PgfFile;

// The measures of a PGF file (the user's own copy of a handheld font): its largest bitmap,
// highest ink, widest advance, line and every character's advance.
FitTarget fitTargetOf(const PgfFile& reference, std::string whose);

// Where a finished file leaves the target, one line each ("maxBaseY 1216 above 1202", "glyph
// U+2030 is 26 pixels wide, above 24"); empty when it lies in the box with the target's line.
std::vector<std::string> fitProblems(const PgfFile& file, const FitTarget& target);

// The box of a handheld font. Its line and widest advance are ltn0's, as a real handheld
// reported them, scaled by the font's size.
FitTarget fitTargetOf(const HandheldFont& font);

} // namespace korven::converter
