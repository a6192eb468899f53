#include "TestFont.h"
#include "converter/core/CharacterSet.h"
#include "converter/core/Converter.h"
#include "converter/core/HandheldFonts.h"
#include "converter/core/PgfReader.h"
#include "converter/core/PgfWriter.h"
#include "converter/core/Rasterizer.h"

#include <gtest/gtest.h>

namespace korven::converter {
namespace {

using testing::basicGlyphs;
using testing::buildTestFont;
using testing::TestGlyph;

constexpr char32_t kRingA = 0x00C5; // Å: the tallest of the Latin capitals

struct FitCase {
    const char* name;
    const char* file;             // the handheld font the output stands in for
    std::vector<TestGlyph> extra; // beside the letters and digits
    int letterTop;                // font units; 700 fits every box at 18 px
    std::u32string condensed;     // what the report must name
    std::u32string scaledDown;
    bool smallerEm;
};

void PrintTo(const FitCase& c, std::ostream* os) {
    *os << c.name;
}

std::vector<TestGlyph> fontGlyphs(const FitCase& c) {
    std::vector<TestGlyph> glyphs = basicGlyphs();
    for (TestGlyph& g : glyphs)
        g.yMax = c.letterTop;
    glyphs.push_back({kSpace, 300});
    glyphs.insert(glyphs.end(), c.extra.begin(), c.extra.end());
    return glyphs;
}

class Fit : public ::testing::TestWithParam<FitCase> {};

// Only what overflows changes, by the least change that makes it fit; letters that fit stay
// exactly as they are drawn without fitting; the file ends in the box with the handheld's line.
TEST_P(Fit, ChangesOnlyWhatOverflows) {
    const FitCase& c = GetParam();
    const HandheldFont& handheld = handheldFontForFile(c.file);
    const FitTarget target = fitTargetOf(handheld);
    const std::vector<std::uint8_t> font = buildTestFont(fontGlyphs(c));
    ConversionSettings settings;
    settings.pixelsPerEm = handheld.pointSize == 0x288 ? 18 : 12;
    const ConversionResult plain = convertFont(font, settings);
    settings.fit = target;
    const ConversionResult fitted = convertFont(font, settings);

    EXPECT_EQ(std::u32string(fitted.fit.condensed.begin(), fitted.fit.condensed.end()),
              c.condensed);
    EXPECT_EQ(std::u32string(fitted.fit.scaledDown.begin(), fitted.fit.scaledDown.end()),
              c.scaledDown);
    EXPECT_EQ(fitted.fit.reducedEm != 0, c.smallerEm);
    const PgfFile file = PgfFile::parse(writePgf(fitted.font));
    for (const std::string& problem : fitProblems(file, target))
        ADD_FAILURE() << problem;

    ASSERT_EQ(plain.font.glyphs.size(), fitted.font.glyphs.size());
    for (std::size_t i = 0; i < plain.font.glyphs.size(); ++i) {
        const PgfGlyph& before = plain.font.glyphs[i];
        const PgfGlyph& after = fitted.font.glyphs[i];
        SCOPED_TRACE(codePointName(before.codePoint));
        const bool changed = c.condensed.find(before.codePoint) != std::u32string::npos ||
                             c.scaledDown.find(before.codePoint) != std::u32string::npos;
        if (c.smallerEm) {
            EXPECT_LT(after.bitmap.height, before.bitmap.height + (changed ? 0 : 1));
        } else if (!changed) {
            EXPECT_EQ(after.bitmap, before.bitmap);
            EXPECT_EQ(after.metrics.horiAdvance, before.metrics.horiAdvance);
        } else {
            // Smaller, never cut: ink keeps to its place and the glyph keeps some width.
            EXPECT_LE(after.bitmap.width, before.bitmap.width);
            EXPECT_GT(after.bitmap.width, before.bitmap.width / 2);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Fit,
    ::testing::Values(
        FitCase{"PlainFontFits", "ltn0.pgf", {}, 700, U"", U"", false},
        FitCase{"WideSymbolIsCondensed",
                "ltn4.pgf",
                {{U'@', 1700, 50, 0, 1650, 700}},
                700,
                U"@",
                U"",
                false},
        FitCase{"WideAdvanceIsCondensed",
                "ltn0.pgf",
                {{U'~', 1500, 0, 300, 500, 400}},
                700,
                U"~",
                U"",
                false},
        FitCase{"TallCapitalIsScaled",
                "ltn1.pgf",
                {{kRingA, 500, 50, 0, 450, 1200}},
                700,
                U"",
                U"\u00c5",
                false},
        FitCase{"DeepBarIsScaled",
                "ltn0.pgf",
                {{U'|', 300, 100, -500, 200, 800}},
                700,
                U"",
                U"|",
                false},
        FitCase{
            "SmallSlotBox", "LTN12.PGF", {{U'@', 1700, 50, 0, 1650, 700}}, 700, U"@", U"", false},
        FitCase{"TallLettersGiveASmallerEm", "ltn0.pgf", {}, 1150, U"", U"", true}),
    [](const auto& info) { return std::string(info.param.name); });

// The em chosen for letters that do not fit is the largest that fits, to the 64th of a pixel:
// one 64th more and a letter reaches past the box.
TEST(FitEm, IsTheLargestThatFits) {
    std::vector<TestGlyph> glyphs = basicGlyphs();
    for (TestGlyph& g : glyphs)
        g.yMax = 1150;
    const std::vector<std::uint8_t> bytes = buildTestFont(glyphs);
    const FitTarget target = fitTargetOf(handheldFontForFile("ltn0.pgf"));
    ConversionSettings settings;
    settings.fit = target;
    const ConversionResult result = convertFont(bytes, settings);
    ASSERT_GT(result.fit.reducedEm, 0);
    EXPECT_EQ(result.font.hSize, pointSizeOfEm26_6(result.fit.reducedEm));

    const FtLibrary library;
    const FtFace face(library, bytes);
    std::vector<std::uint8_t> coverage;
    RenderedGlyph letter;
    setEmSize(face.get(), result.fit.reducedEm);
    ASSERT_TRUE(renderCodePoint(face.get(), U'A', letter, coverage));
    EXPECT_LE(letter.top * 64, target.maxBaseY);
    setEmSize(face.get(), result.fit.reducedEm + 1);
    ASSERT_TRUE(renderCodePoint(face.get(), U'A', letter, coverage));
    EXPECT_GT(letter.top * 64, target.maxBaseY);
}

// A script's own letters keep one size too: a tall one sets the whole file smaller instead of
// being made smaller alone, as another tall glyph is.
TEST(FitEm, AScriptsLettersSetTheEmLikeLatinOnes) {
    std::vector<TestGlyph> glyphs = basicGlyphs();
    glyphs.push_back({U'\uac00', 900, 50, 0, 850, 1150}); // 가, taller than the box allows
    ConversionSettings settings;
    settings.extraCharacters = {U'\uac00'};
    settings.fit = fitTargetOf(handheldFontForFile("ltn0.pgf"));
    const ConversionResult latin = convertFont(buildTestFont(glyphs), settings);
    EXPECT_EQ(latin.fit.reducedEm, 0);
    EXPECT_EQ(latin.fit.scaledDown, std::vector<char32_t>{U'\uac00'});
    settings.fit = fitTargetOf(handheldFontForFile("kr0.pgf"));
    const ConversionResult korean = convertFont(buildTestFont(glyphs), settings);
    EXPECT_GT(korean.fit.reducedEm, 0);
    EXPECT_TRUE(korean.fit.scaledDown.empty());
}

// With the user's own file as the reference, every character both hold takes its advance.
TEST(FitLike, TakesTheReferenceAdvances) {
    std::vector<TestGlyph> referenceGlyphs = basicGlyphs();
    for (TestGlyph& g : referenceGlyphs)
        g.advance = g.codePoint < U'a' ? 650 : 380; // wider capitals, narrower small letters
    referenceGlyphs.push_back({kSpace, 250});
    const PgfFile reference =
        PgfFile::parse(convertToPgf(buildTestFont(referenceGlyphs), ConversionSettings{}));
    const FitTarget target = fitTargetOf(reference, "\"ltn0.pgf\"'s");

    std::vector<TestGlyph> ours = basicGlyphs();
    ours.push_back({kSpace, 300});
    ours.push_back({U'#', 900, 50, 0, 850, 700}); // the reference has none
    ConversionSettings settings;
    settings.fit = target;
    const ConversionResult result = convertFont(buildTestFont(ours), settings);
    EXPECT_EQ(result.fit.matchedAdvances, 63u);
    const PgfFile file = PgfFile::parse(writePgf(result.font));
    for (const std::string& problem : fitProblems(file, target))
        ADD_FAILURE() << problem;
    for (const PgfGlyph& g : result.font.glyphs) {
        if (g.bitmap.width == 0)
            continue;
        // Centred: the room left and right of the ink differs by at most a pixel.
        const int right = g.metrics.horiAdvance / 64 - (g.bitmap.left + g.bitmap.width);
        EXPECT_LE(std::abs(right - g.bitmap.left), 1) << codePointName(g.codePoint);
    }
}

TEST(HandheldFonts, AFileIsKnownByItsName) {
    const std::pair<const char*, const char*> cases[] = {
        {"/media/stick/PSP/flash0/font/ltn4.pgf", "ltn4"},
        {"LTN15.PGF", "ltn15"},
        {"kr0.pgf", "kr0"},
        {"ltn16.pgf", "ltn0"},
        {"my-font.pgf", "ltn0"},
        {"ltn1.pgf.bak", "ltn0"}};
    for (const auto& [path, name] : cases)
        EXPECT_EQ(handheldFontForFile(path).name, name) << path;
}

} // namespace
} // namespace korven::converter
