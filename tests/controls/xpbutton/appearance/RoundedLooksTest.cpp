// Types 3, 4 and 5.
#include "ButtonFixture.h"
#include "controls/xpbutton/appearance/LookRunner.h"

#include <vector>

using namespace korven::xpbutton;
using korven::host::ImageSurface;
using korven::host::TextSize;
using korven::xpbutton::looks::GradientRow;
using namespace korven::xpbutton::testing;

TEST(Type3Gradient, RowsAtHeight24) {
    struct Row {
        std::int32_t kr, kb, row;
        Colour expected;
    };
    const Row rows[] = {
        {75, 50, 1, 0xFDFCFC},  {75, 50, 4, 0xF7F3F3}, // 12.5 rounds to the even 12
        {75, 50, 12, 0xE6D9D9}, {75, 50, 23, 0xCFB7B7},
        {85, 60, 3, 0xF7F4F4},  {85, 60, 12, 0xE1D4D4}, // single precision: 42.500001 rounds up
        {60, 40, 1, 0xFDFDFD},  {60, 40, 23, 0xD9C5C5},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(GradientRow(r.kr, r.kb, 24, r.row), r.expected)
            << r.kr << "/" << r.kb << " row " << r.row;
    }
}

namespace {

constexpr Colour kS16 = 0x707070, kS32 = 0x606060, kS64 = 0x404040; // ShadowColor - 16, 32, 64
constexpr Colour kFace12 = 0xCCCCCC, kShadowDark = 0x666666, kShadowLight = 0x9A9A9A; // type 5

// One row per look and variant, laid out by hand as a table.
// clang-format off
std::vector<LookCase> RoundedLooks() {
    const std::vector<Fill> type3Pressed = {
        {40, 12, 0xE1D4D4}, {40, 3, 0xF7F4F4}, {2, 10, GradientRow(85, 60, 24, 10)},
        {77, 10, kW},      // drawn whether focused or not
        {2, 1, kK, 76, 1},
        {40, 2, kF}};      // row 2 is before the pressed gradient
    return {
        {.name = "Type3NormalAt80By24", .type = 3, .width = 80, .height = 24,
         .fills = {{40, 4, 0xF7F3F3}, {40, 12, 0xE6D9D9}, {0, 12, 0x733C00}, {1, 12, 0xE7AE8C},
                   {79, 12, 0x733C00}, {40, 0, 0x733C00}, {40, 23, 0x733C00}, {1, 1, 0x7B4D10},
                   {78, 22, 0x7B4D10}, {40, 1, 0xFFE7CE}, {40, 2, 0xF7D7BD}, {40, 22, 0xEF826B},
                   {0, 0, kF},                           // row 0 is not part of the gradient
                   {2, 12, 0xE6D9D9}, {77, 12, 0xE6D9D9}}}, // no focus: columns 2 and W - 3 too
        {.name = "Type3FocusDrawsTwoWhiteLinesAndNoDottedRectangle", .type = 3, .width = 80,
         .height = 24, .setup = {.focus = kTrue},
         .fills = {{2, 3, kW, 1, 18}, {77, 3, kW, 1, 18},
                   {2, 21, 0xE7AE8C},  // the lines stop at the inner frame's bottom edge
                   {40, 12, 0xE6D9D9}}},
        {.name = "Type3PressedAt80By24", .type = 3, .width = 80, .height = 24,
         .variant = Pressed, .fills = type3Pressed},
        {.name = "Type3PressedAt80By24WithFocus", .type = 3, .width = 80, .height = 24,
         .variant = Pressed, .setup = {.focus = kTrue}, .fills = type3Pressed},
        {.name = "Type3DisabledAt80By24HasNoFocusLines", .type = 3, .width = 80, .height = 24,
         .setup = {.enabled = kFalse, .focus = kTrue},
         .fills = {{40, 12, GradientRow(60, 40, 24, 12)}, {1, 12, 0xFDBA99}, {40, 22, 0xFE8A71},
                   {40, 1, 0xFFEAD0}, {40, 2, 0xFAD9BF}, {2, 12, GradientRow(60, 40, 24, 12)}}},
        {.name = "Type3ThreePixelsHigh", .type = 3, .width = 80, .height = 3,
         .fills = {{0, 1, GradientRow(75, 50, 3, 1)}, {79, 1, GradientRow(75, 50, 3, 1)}}},
        // The pressed gradient starts at row 3.
        {.name = "Type3ThreePixelsHighPressed", .type = 3, .width = 80, .height = 3,
         .variant = Pressed, .fills = {{0, 1, kF}}},
        {.name = "Type4NormalGridWithTheGreyPalette", .type = 4, .width = 20, .height = 12,
         .grids = {{0, 0, {"FFKKKK", "FKFLLL", "KFWWWW", "KLWWLL", "KLWLLL", "KLWLLL"}},
                   {14, 6, {"LLLFSK", "LLLFSK", "LLFFSK", "FFFSSK", "SSSSKF", "KKKKFF"}}},
         .fills = {{18, 2, kL}, {17, 2, kF}}},
        {.name = "Type4DisabledAddsTwoCornerPixels", .type = 4, .width = 20, .height = 12,
         .setup = {.enabled = kFalse}, .fills = {{18, 2, kF}, {17, 2, kL}}},
        {.name = "Type4PressedDarkensWithShadesOfShadow", .type = 4, .width = 20, .height = 12,
         .variant = Pressed,
         .fills = {{10, 6, kS16}, // inner face
                   {1, 1, kK}, {5, 1, kS64}, {2, 2, kS64}, {3, 3, kS32}, {5, 2, kS32},
                   {17, 5, kS}, {16, 8, kS}, {18, 5, kS16}, {18, 9, kS32}, {17, 10, kS32},
                   {2, 10, kS32}, {2, 9, kS16}, {1, 9, kS16}, {18, 2, kS32}, {17, 2, kS16},
                   {17, 1, kS16}},
         .captionColour = kL},
        {.name = "Type5NormalEdges", .type = 5, .width = 20, .height = 12,
         .fills = {{10, 6, kFace12}, {0, 0, kShadowDark}, {18, 5, kShadowDark},
                   {5, 10, kShadowDark}, {1, 10, kShadowLight}, {18, 1, kShadowLight},
                   {19, 5, kW}, {5, 11, kW}}},
        {.name = "Type5PressedEdges", .type = 5, .width = 20, .height = 12, .variant = Pressed,
         .fills = {{10, 6, 0x909090}, {0, 0, kShadowDark}, {19, 5, kW}, {19, 11, kW}, {5, 11, kW},
                   {0, 11, kF}, {19, 0, kF}}},
        {.name = "Type5DisabledIsAShadowFrameWithoutFill", .type = 5, .width = 20, .height = 12,
         .setup = {.enabled = kFalse, .focus = kTrue},
         .grids = {{0, 0, {"SSS", "SFF"}}, {17, 10, {"FFS", "SSS"}}}},
    };
}
// clang-format on

class RoundedLook : public ::testing::TestWithParam<LookCase> {};

TEST_P(RoundedLook, DrawsItsPixels) {
    ExpectLook(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Looks, RoundedLook, ::testing::ValuesIn(RoundedLooks()), CaseName);

} // namespace

namespace {

// Gives every text the same size and notes whether the font was bold when a caption was
// measured or drawn, so the frame arithmetic does not depend on the installed fonts.
class MeasuringSurface : public ImageSurface {
public:
    MeasuringSurface(int w, int h, TextSize size) : ImageSurface(w, h), size_(size) {}
    TextSize textSize(const QString&) const override {
        boldWhenMeasured.push_back(bold());
        return size_;
    }
    void drawCaption(const QString& text, const korven::host::Rect& r) override {
        boldWhenDrawn.push_back(bold());
        ImageSurface::drawCaption(text, r);
    }
    mutable std::vector<bool> boldWhenMeasured;
    std::vector<bool> boldWhenDrawn;

private:
    TextSize size_;
};

std::vector<std::pair<int, int>> framePixels(const ImageSurface& s) {
    std::vector<std::pair<int, int>> out;
    for (int y = 0; y < s.clientHeight(); ++y) {
        for (int x = 0; x < s.clientWidth(); ++x) {
            if (s.pixel(x, y) == 0xCC9999u) {
                out.push_back({x, y});
            }
        }
    }
    return out;
}

std::vector<std::pair<int, int>> outline(int left, int top, int right, int bottom) {
    std::vector<std::pair<int, int>> out;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            if (x == left || x == right || y == top || y == bottom) {
                out.push_back({x, y});
            }
        }
    }
    return out;
}

} // namespace

TEST(Type5Look, FocusFramesTheMeasuredCaption) {
    struct Case {
        float width, height;
        int left, top, right, bottom;
    };
    for (const Case c : {Case{40, 13, 14, 4, 59, 18}, Case{39, 13, 15, 4, 59, 18}}) {
        for (std::uint8_t variant : {Normal, Pressed}) {
            MeasuringSurface surface(75, 23, {c.width, c.height});
            ButtonState s = CreateButtonState(surface);
            s.ButtonType = 5;
            s.ColorScheme = 3;
            LoadPalette(s);
            SetButtonSize(s, 75, 23);
            s.HasFocus = kTrue;
            DrawButton(s, surface, variant, true);
            EXPECT_EQ(framePixels(surface), outline(c.left, c.top, c.right, c.bottom))
                << "measured width " << c.width << " state " << int(variant);
        }
    }
    EXPECT_EQ(looks::CaptionFrameBox(75, 23, 40.5f, 13.0f).left, 14) << "34.5 rounds to 34";
    EXPECT_EQ(looks::CaptionFrameBox(75, 23, 39.5f, 13.0f).left, 15) << "35.5 rounds to 36";
    EXPECT_EQ(looks::CaptionFrameBox(4, 3, 20.0f, 13.0f).left, -11) << "-16 / 2 truncates";
}

TEST(Type5Look, MeasuresAndDrawsBoldThenRestoresTheFontsOwnWeight) {
    for (bool fontBold : {false, true}) {
        for (VbBool enabled : {kTrue, kFalse}) {
            MeasuringSurface surface(75, 23, {40, 13});
            ButtonState s = CreateButtonState(surface);
            s.ButtonType = 5;
            s.Font.setBold(fontBold);
            surface.setFont(s.Font);
            SetButtonSize(s, 75, 23);
            s.Caption = QStringLiteral("&Go");
            s.HasFocus = kTrue;
            s.Enabled = enabled;
            DrawButton(s, surface, Normal, true);
            for (bool b : surface.boldWhenMeasured) {
                EXPECT_TRUE(b);
            }
            ASSERT_FALSE(surface.boldWhenDrawn.empty());
            EXPECT_TRUE(surface.boldWhenDrawn.front());
            EXPECT_EQ(surface.bold(), fontBold);
            EXPECT_EQ(s.Font.bold(), fontBold) << "the state's own font is never touched";

            // Switched to another type, the next caption is drawn in the font's own weight.
            s.ButtonType = 2;
            surface.boldWhenDrawn.clear();
            DrawButton(s, surface, Normal, true);
            ASSERT_EQ(surface.boldWhenDrawn.size(), enabled == kTrue ? 1u : 2u);
            EXPECT_EQ(surface.boldWhenDrawn.front(), fontBold);
        }
    }
}
