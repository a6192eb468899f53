#include "converter/core/CharacterSets.h"

#include "../CjkFont.h"
#include "TestFont.h"
#include "converter/core/CharacterSet.h"
#include "converter/core/Converter.h"
#include "converter/core/Errors.h"
#include "converter/core/PgfReader.h"
#include "converter/core/PgfWriter.h"
#include "converter/core/ShadowSharing.h"
#include "support/InstalledFonts.h"

#include <QChar>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace korven::converter {
namespace {

using Bytes = std::vector<std::uint8_t>;

const char* const kDejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char* const kLiberation = "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::uint64_t fnv1a(const Bytes& bytes) {
    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (const std::uint8_t b : bytes)
        h = (h ^ b) * 0x100000001b3ULL;
    return h;
}

// `count` bits from bit `bit` of the bytes at `at`, least significant first, as the format packs.
std::uint32_t bitsAt(const Bytes& bytes, std::size_t at, int bit, int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
        const std::size_t b = static_cast<std::size_t>(bit + i);
        value |= ((bytes.at(at + b / 8) >> (b % 8)) & 1U) << i;
    }
    return value;
}

TEST(CharacterSets, ReadsNamesCodePointsAndRanges) {
    const struct {
        const char* text;
        std::size_t count;
        char32_t first, last;
    } cases[] = {
        {"greek", 135, 0x0370, 0x03FF},
        {"cyrillic", 256, 0x0400, 0x04FF},
        // Extended-B (208) + schwa + Additional (256) + currency (32), less U+0192 and the euro
        // that the Latin set holds.
        {"latin-extended", 495, 0x0180, 0x20BF},
        {" latin , greek,greek ", 135, 0x0370, 0x03FF},
        // A range typed by the user is taken as given, unassigned code points and all.
        {"U+0370-U+03FF", 144, 0x0370, 0x03FF},
        {"U+20BD", 1, 0x20BD, 0x20BD},
        {"u+20bd", 1, 0x20BD, 0x20BD},
        {"U+0400-U+045F", 96, 0x0400, 0x045F},
        {"U+D7FF-U+E000", 2, 0xD7FF, 0xE000}, // surrogate codes are no characters
        {"cyrillic,U+0410", 256, 0x0400, 0x04FF},
        // JIS X 0208 (6,879) and half-width katakana (63), less the 19 Latin-1 signs it has.
        {"japanese", 6923, 0x0391, 0xFFE5},
        // Syllables (11,172), jamo (94) and the symbols, less the Latin they hold.
        {"korean", 12100, 0x02C7, 0xFFE6},
    };
    for (const auto& c : cases) {
        const CharacterSetsChoice choice = parseCharacterSets(c.text);
        ASSERT_TRUE(choice.ok()) << c.text << ": " << choice.error;
        const std::vector<char32_t>& extra = choice.extraCharacters;
        EXPECT_EQ(extra.size(), c.count) << c.text;
        ASSERT_FALSE(extra.empty()) << c.text;
        EXPECT_EQ(extra.front(), c.first) << c.text;
        EXPECT_EQ(extra.back(), c.last) << c.text;
        EXPECT_TRUE(std::is_sorted(extra.begin(), extra.end())) << c.text;
    }
    // Accepted, and adding nothing: the space is the first storable character, no control code.
    for (const char* latinOnly : {"latin", "U+0041", "U+0020", "U+0020-U+007E"}) {
        const CharacterSetsChoice choice = parseCharacterSets(latinOnly);
        EXPECT_TRUE(choice.ok()) << latinOnly << ": " << choice.error;
        EXPECT_TRUE(choice.extraCharacters.empty()) << latinOnly;
    }
}

// A named set holds characters only: an unassigned code point is in no font, and would be
// reported as left out of every file. Checked against the toolkit's Unicode tables.
TEST(CharacterSets, NamedSetsHoldAssignedCharactersOnly) {
    for (const NamedCharacterSet& set : namedCharacterSets()) {
        for (const CodePointRange& r : set.ranges) {
            for (char32_t c = r.first; c <= r.last; ++c) {
                EXPECT_NE(QChar::category(c), QChar::Other_NotAssigned)
                    << set.name << " holds U+" << std::hex << static_cast<unsigned>(c);
            }
        }
    }
}

// What each script's set holds and what it leaves to other sets or files.
TEST(CharacterSets, ScriptSetsHoldTheirCharacters) {
    const struct {
        const char* set;
        char32_t codePoint;
        bool held;
    } cases[] = {
        {"japanese", U'\u3042', true},  // hiragana a
        {"japanese", U'\u30F6', true},  // the last katakana of the standard
        {"japanese", U'\u4E9C', true},  // the first kanji of level 1
        {"japanese", U'\u7199', true},  // a kanji of level 2
        {"japanese", U'\uFF71', true},  // half-width katakana a
        {"japanese", U'\u4E02', false}, // a kanji beyond the standard
        {"japanese", U'\uAC00', false},
        {"korean", U'\uAC00', true},
        {"korean", U'\uD7A3', true},
        {"korean", U'\u3131', true},
        {"korean", U'\u318E', true},
        {"korean", U'\u3042', true},  // kana are among the standard's symbols
        {"korean", U'\u4E00', false}, // hanja are not
        {"korean", U'\u1100', false}, // nor the conjoining jamo
    };
    for (const auto& c : cases) {
        const std::vector<char32_t> extra = parseCharacterSets(c.set).extraCharacters;
        EXPECT_EQ(std::binary_search(extra.begin(), extra.end(), c.codePoint), c.held)
            << c.set << " " << codePointName(c.codePoint);
    }
    EXPECT_EQ(parseCharacterSets("latin,korean").language, "ko");
    EXPECT_EQ(parseCharacterSets("greek,japanese,korean").language, "ja");
    EXPECT_EQ(parseCharacterSets("greek").language, "");
}

TEST(CharacterSets, RefusesWithOneLineNamingTheBadPart) {
    const struct {
        const char* text;
        const char* named;
    } cases[] = {
        {"grek", "\"grek\""},
        {"latin,cyrilic", "\"cyrilic\""},
        {"", "empty entry"},
        {"latin,", "empty entry"},
        {"U+", "\"U+\""},
        {"U+04G0", "\"U+04G0\""},
        {"U+1234567", "\"U+1234567\""},
        {"U+110000", "\"U+110000\""},
        {"U+1F600", "U+FFFF"},
        {"U+001F", "\"U+001F\""},
        {"U+D800", "\"U+D800\""},
        {"U+0460-U+0400", "\"U+0460-U+0400\""},
        {"U+0400-", "\"\""},
        {"U+0400-U+1F600", "\"U+1F600\""},
    };
    for (const auto& c : cases) {
        const CharacterSetsChoice choice = parseCharacterSets(c.text);
        EXPECT_FALSE(choice.ok()) << c.text;
        EXPECT_NE(choice.error.find(c.named), std::string::npos) << c.text << ": " << choice.error;
        EXPECT_EQ(choice.error.find('\n'), std::string::npos) << c.text;
    }
}

TEST(CharacterSets, NamesGoBackIntoTheArgumentInTableOrder) {
    EXPECT_EQ(characterSetsArgument({}), "latin");
    EXPECT_EQ(characterSetsArgument({"cyrillic", "greek", "bogus"}), "latin,greek,cyrillic");
    for (const NamedCharacterSet& set : namedCharacterSets()) {
        const std::string argument = characterSetsArgument({std::string(set.name)});
        EXPECT_EQ(parseCharacterSets(argument).extraCharacters,
                  extraCharactersOf({std::string(set.name)}))
            << argument;
    }
}

// Files made before extra characters existed, by their FNV-1a hash: without a choice, every
// byte must stay as it was.
TEST(CharacterSets, WithoutExtrasTheFileIsUnchanged) {
    const struct {
        const char* path;
        int size;
        std::size_t bytes;
        std::uint64_t hash;
    } cases[] = {
        {kDejaVu, 6, 29988, 0x1349ee57721a566cULL},
        {kDejaVu, 13, 47460, 0xd7b287af902e1b6dULL},
        {kDejaVu, 22, 76876, 0xc20867703b98bb94ULL},
        {kLiberation, 6, 29364, 0x2858c591ce77b7caULL},
        {kLiberation, 13, 46480, 0x778f596e887370bcULL},
        {kLiberation, 22, 73464, 0x45500dd1426c5e9cULL},
    };
    for (const auto& c : cases) {
        if (!korven::testing::FontFileInstalled(c.path))
            continue;
        const Bytes pgf = convertToPgf(readFile(c.path), {c.size, 2.0});
        EXPECT_EQ(pgf.size(), c.bytes) << c.path << " at " << c.size;
        EXPECT_EQ(fnv1a(pgf), c.hash) << c.path << " at " << c.size;
    }
}

// Each named set on a font that has nearly all of it: every character is in the file or
// reported, the Latin glyphs are exactly those of the Latin file, and shadows stay within the
// format even past 511 glyphs.
TEST(CharacterSets, EachSetOnDejaVuSansReadsBack) {
    if (!korven::testing::FontFileInstalled(kDejaVu))
        GTEST_SKIP();
    const Bytes font = readFile(kDejaVu);
    const PgfFont latin = PgfFile::parse(convertToPgf(font, {18, 2.0})).toFont();
    for (const char* sets :
         {"latin-extended", "greek", "cyrillic", "latin-extended,greek,cyrillic"}) {
        ConversionSettings settings{18, 2.0};
        settings.extraCharacters = parseCharacterSets(sets).extraCharacters;
        const ConversionResult result = convertFont(font, settings);
        const PgfFile file = PgfFile::parse(writePgf(result.font));
        std::size_t present = 0;
        for (char32_t c : settings.extraCharacters) {
            const bool reported = std::count(result.absent.begin(), result.absent.end(), c) +
                                      std::count(result.skipped.begin(), result.skipped.end(), c) ==
                                  1;
            EXPECT_NE(file.glyphIndex(c).has_value(), reported) << sets << " " << codePointName(c);
            present += file.glyphIndex(c).has_value();
        }
        EXPECT_GT(present * 10, settings.extraCharacters.size() * 9) << sets;
        EXPECT_LE(file.header().shadowMapLength, 511U) << sets;
        for (std::size_t i = 0; i < file.glyphCount(); ++i)
            ASSERT_LT(file.record(i).shadowId, file.header().shadowMapLength) << sets;
        // A reader that takes shadow map values for glyph indexes finds that glyph's own shadow
        // right after its record.
        for (std::uint32_t s = 0; s < file.header().shadowMapLength; ++s) {
            const std::size_t index = file.shadowMapEntry(s);
            if (index >= file.glyphCount())
                continue;
            const GlyphRecordInfo r = file.record(index);
            const GlyphBitmap shadow = file.glyph(index).shadow;
            EXPECT_EQ(bitsAt(file.bytes(), r.offset + r.size, 14, 7),
                      static_cast<std::uint32_t>(shadow.width))
                << sets << " glyph " << index;
            EXPECT_EQ(bitsAt(file.bytes(), r.offset + r.size, 21, 7),
                      static_cast<std::uint32_t>(shadow.height))
                << sets << " glyph " << index;
        }
        const PgfFont read = file.toFont();
        for (const PgfGlyph& g : latin.glyphs) {
            const auto same =
                std::find_if(read.glyphs.begin(), read.glyphs.end(),
                             [&](const PgfGlyph& r) { return r.codePoint == g.codePoint; });
            ASSERT_NE(same, read.glyphs.end()) << sets << " " << codePointName(g.codePoint);
            EXPECT_EQ(same->bitmap, g.bitmap) << sets << " " << codePointName(g.codePoint);
            EXPECT_EQ(same->shadow, g.shadow) << sets << " " << codePointName(g.codePoint);
        }
    }
}

// Every 30th character of each script's set, on the face of Noto Sans CJK for its language:
// each is in the file or named as left out, and the face holds nearly all of them.
TEST(CharacterSets, ScriptSetsOnNotoSansCjkReadBack) {
    KORVEN_NEED_FONT(testing::kNotoSansCjk);
    const Bytes font = readFile(testing::kNotoSansCjk);
    for (const auto& [sets, face] : {std::pair{"japanese", 0}, std::pair{"korean", 1}}) {
        const std::vector<char32_t> all = parseCharacterSets(sets).extraCharacters;
        ConversionSettings settings{18, 2.0};
        settings.faceIndex = face;
        for (std::size_t i = 0; i < all.size(); i += 30)
            settings.extraCharacters.push_back(all[i]);
        const ConversionResult result = convertFont(font, settings);
        const PgfFile file = PgfFile::parse(writePgf(result.font));
        std::size_t present = 0;
        for (char32_t c : settings.extraCharacters) {
            const bool reported = std::count(result.absent.begin(), result.absent.end(), c) +
                                      std::count(result.skipped.begin(), result.skipped.end(), c) ==
                                  1;
            EXPECT_NE(file.glyphIndex(c).has_value(), reported) << sets << " " << codePointName(c);
            present += file.glyphIndex(c).has_value();
        }
        EXPECT_GT(present * 50, settings.extraCharacters.size() * 49) << sets;
    }
}

TEST(CharacterSets, CharactersTheFontLacksAreLeftOutNotRefused) {
    std::vector<testing::TestGlyph> glyphs = testing::basicGlyphs();
    glyphs.push_back({0x03B1, 500, 50, 0, 450, 500}); // alpha, the only Greek letter
    ConversionSettings settings{18, 2.0};
    settings.extraCharacters = parseCharacterSets("greek").extraCharacters;
    const ConversionResult result = convertFont(testing::buildTestFont(glyphs), settings);
    const PgfFile file = PgfFile::parse(writePgf(result.font));
    EXPECT_TRUE(file.glyphIndex(0x03B1).has_value());
    // The Greek set less alpha, and of the Latin set all but the letters and digits, the space
    // and the underscore (drawn when the font has none).
    EXPECT_EQ(result.absent.size(), 134U + 339U - 64U);
    EXPECT_EQ(std::count(result.absent.begin(), result.absent.end(), 0x03B1), 0);
    for (const char32_t drawn : {U' ', U'_'})
        EXPECT_EQ(std::count(result.absent.begin(), result.absent.end(), drawn), 0);
    EXPECT_EQ(std::count(result.absent.begin(), result.absent.end(), U'Ä'), 1);
}

// More glyphs with different shadows than the format holds: the glyphs past the Latin set
// borrow the nearest shadow, the file keeps 511 and every reader finds each glyph's shadow.
TEST(CharacterSets, ShadowsAreSharedPastTheFormatLimit) {
    std::vector<testing::TestGlyph> glyphs = testing::basicGlyphs();
    // Boxes whole pixels apart in width and height at 22 px: 600 different shadows.
    for (int i = 0; i < 600; ++i)
        glyphs.push_back(
            {static_cast<char32_t>(0x0400 + i), 1400, 0, 0, (1 + i % 30) * 46, (1 + i / 30) * 46});
    const Bytes fontBytes = testing::buildTestFont(glyphs);
    ConversionSettings settings{22, 2.0};
    settings.extraCharacters = parseCharacterSets("U+0400-U+0657").extraCharacters;
    const PgfFont font = convertFont(fontBytes, settings).font;
    ASSERT_GT(font.glyphs.size(), 511U);
    const PgfFile file = PgfFile::parse(writePgf(font));
    EXPECT_EQ(file.header().shadowMapLength, 511U);
    EXPECT_EQ(file.toFont().glyphs, font.glyphs); // each glyph reads back its (shared) shadow
    for (const PgfGlyph& latin : convertFont(fontBytes, {22, 2.0}).font.glyphs)
        EXPECT_EQ(file.glyph(*file.glyphIndex(latin.codePoint)).shadow, latin.shadow)
            << "Latin glyphs keep their own shadows: " << codePointName(latin.codePoint);

    // Without sharing the writer refuses, naming how many fit.
    PgfFont unshared = font;
    for (std::size_t i = 0; i < unshared.glyphs.size(); ++i)
        unshared.glyphs[i].shadow = {
            1, 1, 0, static_cast<int>(i % 100) - 50, {static_cast<std::uint8_t>(1 + i / 100)}};
    try {
        writePgf(unshared);
        FAIL() << "more than 511 different shadows were written";
    } catch (const ConversionError& e) {
        EXPECT_NE(std::string(e.what()).find("at most 511 fit"), std::string::npos) << e.what();
    }
}

TEST(CharacterSets, ShadowDistanceComparesOnThePenCanvas) {
    const GlyphBitmap a{2, 1, 0, 1, {4, 4}};
    const GlyphBitmap shifted{2, 1, 1, 1, {4, 4}};
    EXPECT_EQ(shadowDistance(a, a), 0);
    EXPECT_EQ(shadowDistance(a, shifted), 8);
    EXPECT_EQ(shadowDistance(a, GlyphBitmap{}), 8);
    EXPECT_EQ(shadowDistance(a, GlyphBitmap{0, 3, 0, 1, {}}), 8);
    const GlyphBitmap tall{1, 3, 1, 2, {1, 9, 1}}; // overlaps a's right pixel with its middle
    EXPECT_EQ(shadowDistance(a, tall), 4 + 5 + 1 + 1);
}

// Past the limit each glyph takes the kept shadow nearest to its own, however the search
// narrows the candidates down: checked against measuring every kept shadow, on random
// shadows of many sizes and places.
TEST(CharacterSets, SharedShadowsAreTheNearestKept) {
    std::mt19937 random(24);
    auto upTo = [&](int n) { return std::uniform_int_distribution<int>(0, n)(random); };
    std::vector<PgfGlyph> glyphs(900);
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        GlyphBitmap& s = glyphs[i].shadow;
        glyphs[i].codePoint = static_cast<char32_t>(0x4E00 + i);
        s = {upTo(9), upTo(9), upTo(8) - 4, upTo(12) - 2, {}};
        for (int p = 0; p < s.width * s.height; ++p)
            s.pixels.push_back(static_cast<std::uint8_t>(upTo(15)));
    }
    std::vector<PgfGlyph> shared = glyphs;
    shareShadowsToFit(shared, {});
    std::vector<GlyphBitmap> kept;
    for (const PgfGlyph& g : shared)
        if (std::find(kept.begin(), kept.end(), g.shadow) == kept.end())
            kept.push_back(g.shadow);
    ASSERT_EQ(kept.size(), 511U);
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        long nearest = std::numeric_limits<long>::max();
        for (const GlyphBitmap& k : kept)
            nearest = std::min(nearest, shadowDistance(glyphs[i].shadow, k));
        EXPECT_EQ(shadowDistance(glyphs[i].shadow, shared[i].shadow), nearest) << "glyph " << i;
    }
}

} // namespace
} // namespace korven::converter
