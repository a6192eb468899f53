// Types 3, 4 and 5.
#include "ButtonFixture.h"
#include "controls/xpbutton/appearance/LookRunner.h"

#include <vector>

using namespace korven::xpbutton;
using korven::host::ImageSurface;
using korven::host::TextSize;
using korven::xpbutton::looks::GradientRow;
using korven::xpbutton::testing::ExpectGrid;
using korven::xpbutton::testing::GreyKey;
using korven::xpbutton::testing::TestButton;

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

TEST(Type3Look, NormalAt80By24) {
    TestButton b(3, 80, 24);
    b.draw(Normal);
    EXPECT_EQ(b.at(40, 4), 0xF7F3F3u);
    EXPECT_EQ(b.at(40, 12), 0xE6D9D9u);
    EXPECT_EQ(b.at(0, 12), 0x733C00u);
    EXPECT_EQ(b.at(1, 12), 0xE7AE8Cu);
    EXPECT_EQ(b.at(79, 12), 0x733C00u);
    EXPECT_EQ(b.at(40, 0), 0x733C00u);
    EXPECT_EQ(b.at(40, 23), 0x733C00u);
    EXPECT_EQ(b.at(1, 1), 0x7B4D10u);
    EXPECT_EQ(b.at(78, 22), 0x7B4D10u);
    EXPECT_EQ(b.at(40, 1), 0xFFE7CEu);
    EXPECT_EQ(b.at(40, 2), 0xF7D7BDu);
    EXPECT_EQ(b.at(40, 22), 0xEF826Bu);
    EXPECT_EQ(b.at(0, 0), b.state.FaceColor) << "row 0 is not part of the gradient";
    // Not focused: columns 2 and W - 3 keep the gradient.
    EXPECT_EQ(b.at(2, 12), 0xE6D9D9u);
    EXPECT_EQ(b.at(77, 12), 0xE6D9D9u);
}

TEST(Type3Look, FocusDrawsTwoWhiteLines) {
    TestButton b(3, 80, 24);
    b.state.HasFocus = kTrue;
    b.draw(Normal);
    for (int y = 3; y <= 20; ++y) {
        EXPECT_EQ(b.at(2, y), 0xFFFFFFu) << y;
        EXPECT_EQ(b.at(77, y), 0xFFFFFFu) << y;
    }
    EXPECT_NE(b.at(2, 21), 0xFFFFFFu);
    EXPECT_EQ(b.at(40, 12), 0xE6D9D9u) << "no dotted rectangle";
}

TEST(Type3Look, PressedAt80By24) {
    for (VbBool focus : {kFalse, kTrue}) {
        TestButton b(3, 80, 24);
        b.state.HasFocus = focus;
        b.draw(Pressed);
        EXPECT_EQ(b.at(40, 12), 0xE1D4D4u);
        EXPECT_EQ(b.at(40, 3), 0xF7F4F4u);
        EXPECT_EQ(b.at(77, 10), 0xFFFFFFu) << "drawn whether focused or not";
        EXPECT_EQ(b.at(2, 10), GradientRow(85, 60, 24, 10));
        for (int x = 2; x <= 77; ++x) {
            EXPECT_EQ(b.at(x, 1), 0x000000u) << x;
        }
        EXPECT_EQ(b.at(40, 2), b.state.FaceColor) << "row 2 is before the pressed gradient";
    }
}

TEST(Type3Look, DisabledAt80By24) {
    TestButton b(3, 80, 24);
    b.state.Enabled = kFalse;
    b.state.HasFocus = kTrue;
    b.draw(Normal);
    EXPECT_EQ(b.at(40, 12), GradientRow(60, 40, 24, 12));
    EXPECT_EQ(b.at(1, 12), 0xFDBA99u);
    EXPECT_EQ(b.at(40, 22), 0xFE8A71u);
    EXPECT_EQ(b.at(40, 1), 0xFFEAD0u);
    EXPECT_EQ(b.at(40, 2), 0xFAD9BFu);
    EXPECT_EQ(b.at(2, 12), GradientRow(60, 40, 24, 12)) << "no focus lines";
}

TEST(Type3Look, ThreePixelsHigh) {
    TestButton normal(3, 80, 3);
    normal.draw(Normal);
    EXPECT_EQ(normal.at(0, 1), GradientRow(75, 50, 3, 1));
    EXPECT_EQ(normal.at(79, 1), GradientRow(75, 50, 3, 1));

    TestButton pressed(3, 80, 3);
    pressed.draw(Pressed);
    EXPECT_EQ(pressed.at(0, 1), pressed.state.FaceColor) << "the pressed gradient starts at row 3";
}

TEST(Type4Look, NormalGridWithTheGreyPalette) {
    TestButton b(4, 20, 12);
    b.draw(Normal);
    ExpectGrid(b.surface, 0, 0, {"FFKKKK", "FKFLLL", "KFWWWW", "KLWWLL", "KLWLLL", "KLWLLL"},
               GreyKey(), "type4-top-left");
    ExpectGrid(b.surface, 14, 6, {"LLLFSK", "LLLFSK", "LLFFSK", "FFFSSK", "SSSSKF", "KKKKFF"},
               GreyKey(), "type4-bottom-right");
}

TEST(Type4Look, DisabledAddsTwoCornerPixels) {
    TestButton normal(4, 20, 12);
    normal.draw(Normal);
    EXPECT_EQ(normal.at(18, 2), normal.state.LightColor);
    EXPECT_EQ(normal.at(17, 2), normal.state.FaceColor);

    TestButton disabled(4, 20, 12);
    disabled.state.Enabled = kFalse;
    disabled.draw(Normal);
    EXPECT_EQ(disabled.at(18, 2), disabled.state.FaceColor);
    EXPECT_EQ(disabled.at(17, 2), disabled.state.LightColor);
}

TEST(Type4Look, PressedDarkensWithShadesOfShadow) {
    TestButton b(4, 20, 12);
    b.draw(Pressed);
    const Colour s16 = 0x707070, s32 = 0x606060, s64 = 0x404040, S = 0x808080, K = 0;
    EXPECT_EQ(b.at(10, 6), s16) << "inner face";
    EXPECT_EQ(b.at(1, 1), K);
    EXPECT_EQ(b.at(5, 1), s64);
    EXPECT_EQ(b.at(2, 2), s64);
    EXPECT_EQ(b.at(3, 3), s32);
    EXPECT_EQ(b.at(5, 2), s32);
    EXPECT_EQ(b.at(17, 5), S);
    EXPECT_EQ(b.at(16, 8), S);
    EXPECT_EQ(b.at(18, 5), s16);
    EXPECT_EQ(b.at(18, 9), s32);
    EXPECT_EQ(b.at(17, 10), s32);
    EXPECT_EQ(b.at(2, 10), s32);
    EXPECT_EQ(b.at(2, 9), s16);
    EXPECT_EQ(b.at(1, 9), s16);
    EXPECT_EQ(b.at(18, 2), s32);
    EXPECT_EQ(b.at(17, 2), s16);
    EXPECT_EQ(b.at(17, 1), s16);
    EXPECT_EQ(b.surface.textColour(), b.state.LightColor);
}

TEST(Type5Look, NormalAndPressedEdges) {
    TestButton b(5, 20, 12);
    b.draw(Normal);
    const Colour face12 = 0xCCCCCC, shadowDark = 0x666666, shadowLight = 0x9A9A9A;
    EXPECT_EQ(b.at(10, 6), face12);
    EXPECT_EQ(b.at(0, 0), shadowDark);
    EXPECT_EQ(b.at(18, 5), shadowDark);
    EXPECT_EQ(b.at(5, 10), shadowDark);
    EXPECT_EQ(b.at(1, 10), shadowLight);
    EXPECT_EQ(b.at(18, 1), shadowLight);
    EXPECT_EQ(b.at(19, 5), 0xFFFFFFu);
    EXPECT_EQ(b.at(5, 11), 0xFFFFFFu);

    b.draw(Pressed);
    EXPECT_EQ(b.at(10, 6), 0x909090u);
    EXPECT_EQ(b.at(0, 0), shadowDark);
    EXPECT_EQ(b.at(19, 5), 0xFFFFFFu);
    EXPECT_EQ(b.at(19, 11), 0xFFFFFFu);
    EXPECT_EQ(b.at(5, 11), 0xFFFFFFu);
    EXPECT_EQ(b.at(0, 11), b.state.FaceColor);
    EXPECT_EQ(b.at(19, 0), b.state.FaceColor);
}

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

TEST(Type5Look, DisabledIsAShadowFrameWithoutFill) {
    TestButton b(5, 20, 12);
    b.state.Enabled = kFalse;
    b.state.HasFocus = kTrue;
    b.draw(Normal);
    ExpectGrid(b.surface, 0, 0, {"SSS", "SFF"}, GreyKey(), "type5-disabled");
    ExpectGrid(b.surface, 17, 10, {"FFS", "SSS"}, GreyKey(), "type5-disabled-corner");
}
