// When DrawButton draws at all, and what every redraw shares: face, focus reduction, the
// exact -1 test of Enabled.
#include "ButtonFixture.h"

using namespace korven::xpbutton;
using korven::xpbutton::testing::TestButton;

namespace {

constexpr Colour kMarker = 0x00ABCDEF;

// A pixel no look paints, so that a redraw is seen by the marker disappearing.
void mark(TestButton& b) {
    b.surface.setPixel(b.state.ButtonWidth / 2, b.state.ButtonHeight / 2, kMarker);
}
bool marked(const TestButton& b) {
    return b.at(b.state.ButtonWidth / 2, b.state.ButtonHeight / 2) == kMarker;
}

bool allFace(const TestButton& b) {
    for (int y = 0; y < b.surface.clientHeight(); ++y) {
        for (int x = 0; x < b.surface.clientWidth(); ++x) {
            if (b.at(x, y) != b.state.FaceColor) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

TEST(RedrawTest, NothingIsDrawnBeforeTheFirstResizeEvenWhenForced) {
    TestButton b(1, 40, 20);
    b.state.ButtonHeight = 0;
    b.state.DrawnCaption = QStringLiteral("old");
    b.state.Caption = QStringLiteral("new");
    mark(b);
    DrawButton(b.state, b.surface, Pressed, true);
    EXPECT_TRUE(marked(b));
    EXPECT_EQ(b.state.DrawnState, Normal);
    EXPECT_EQ(b.state.DrawnCaption, QStringLiteral("old"));
}

TEST(RedrawTest, AnUnchangedStateAndCaptionAreSkippedUnlessForced) {
    TestButton b(1, 40, 20);
    b.state.Caption = QStringLiteral("Go");
    DrawButton(b.state, b.surface, Pressed, false);
    EXPECT_EQ(b.state.DrawnState, Pressed);
    EXPECT_EQ(b.state.DrawnCaption, QStringLiteral("Go"));

    mark(b);
    DrawButton(b.state, b.surface, Pressed, false);
    EXPECT_TRUE(marked(b)) << "the second unforced call must draw nothing";

    DrawButton(b.state, b.surface, Pressed, true);
    EXPECT_FALSE(marked(b));
}

TEST(RedrawTest, ACaptionOrStateChangeAloneRedraws) {
    TestButton b(1, 40, 20);
    b.state.Caption = QStringLiteral("go");
    DrawButton(b.state, b.surface, Normal, true);

    mark(b);
    b.state.Caption = QStringLiteral("Go"); // case matters
    DrawButton(b.state, b.surface, Normal, false);
    EXPECT_FALSE(marked(b));
    EXPECT_EQ(b.state.DrawnCaption, QStringLiteral("Go"));

    mark(b);
    DrawButton(b.state, b.surface, Pressed, false);
    EXPECT_FALSE(marked(b));
}

TEST(RedrawTest, StateOneOnAnEnabledButtonDrawsTheFaceOnly) {
    TestButton b(1, 40, 20);
    b.state.Caption = QStringLiteral("&Convert");
    b.state.HasFocus = kTrue;
    DrawButton(b.state, b.surface, 1, true);
    EXPECT_TRUE(allFace(b));
    EXPECT_EQ(b.state.DrawnState, 1);
}

TEST(RedrawTest, TypesWithoutALookDrawTheFaceOnlyInEveryState) {
    for (std::int32_t type : {0, 8, -1}) {
        for (VbBool enabled : {kTrue, kFalse}) {
            for (std::uint8_t variant : {Normal, Pressed}) {
                TestButton b(type, 40, 20, 2);
                b.state.BackColor = 0x336699;
                LoadPalette(b.state);
                b.state.Caption = QStringLiteral("&Convert");
                b.state.Enabled = enabled;
                b.state.HasFocus = kTrue;
                b.surface.setDisplayAsDefault(kTrue);
                b.draw(variant);
                EXPECT_TRUE(allFace(b)) << "type " << type << " state " << int(variant);
            }
        }
    }
}

TEST(RedrawTest, OnlyMinusOneCountsAsEnabled) {
    // Type 3 has a different gradient when disabled, so the variant shows in empty captions.
    TestButton enabled(3, 50, 24);
    TestButton one(3, 50, 24);
    TestButton disabled(3, 50, 24);
    enabled.state.Enabled = kTrue;
    one.state.Enabled = 1;
    disabled.state.Enabled = kFalse;
    enabled.draw(Normal);
    one.draw(Normal);
    disabled.draw(Normal);
    EXPECT_EQ(one.surface.image(), disabled.surface.image());
    EXPECT_NE(one.surface.image(), enabled.surface.image());
}

TEST(RedrawTest, ADisabledButtonLooksTheSameInBothStates) {
    for (std::int32_t type = 1; type <= 7; ++type) {
        TestButton normal(type, 60, 24);
        TestButton pressed(type, 60, 24);
        for (TestButton* b : {&normal, &pressed}) {
            b->state.Enabled = kFalse;
            b->state.Caption = QStringLiteral("&Convert");
            b->state.HasFocus = kTrue;
        }
        normal.draw(Normal);
        pressed.draw(Pressed);
        EXPECT_EQ(normal.surface.image(), pressed.surface.image()) << "type " << type;
    }
}

TEST(RedrawTest, TheFocusCueNeedsBothFlagsAtMinusOneAndHasFocusSurvives) {
    // Type 1 draws the dotted rectangle last, over plain bevel pixels.
    TestButton plain(1, 40, 20);
    plain.draw(Normal);

    struct Case {
        VbBool hasFocus;
        VbBool showFocus;
        bool cue;
    };
    for (const Case c :
         {Case{kTrue, kTrue, true}, Case{kTrue, kFalse, false}, Case{kTrue, 1, false},
          Case{1, kTrue, false}, Case{kFalse, kTrue, false}}) {
        TestButton b(1, 40, 20);
        b.state.HasFocus = c.hasFocus;
        b.state.ShowFocusRect = c.showFocus;
        b.draw(Normal);
        EXPECT_EQ(b.surface.image() != plain.surface.image(), c.cue)
            << c.hasFocus << " " << c.showFocus;
        EXPECT_EQ(b.state.HasFocus, c.hasFocus);
        if (c.cue) {
            // The cue lies on FocusRect's outline: (4, 4) is a dot, inverted face.
            EXPECT_EQ(b.at(4, 4), plain.at(4, 4) ^ 0xFFFFFFu);
        }
    }
}

TEST(RedrawTest, TheTextColourIsSetBeforeEveryEnabledLookAndKeptAfterADisabledOne) {
    TestButton b(1, 40, 20);
    b.state.Enabled = kFalse;
    b.draw(Normal);
    EXPECT_EQ(b.surface.textColour(), b.state.ShadowColor);

    b.state.Enabled = kTrue;
    b.draw(Normal);
    EXPECT_EQ(b.surface.textColour(), b.state.TextColor);

    b.state.ButtonType = 4;
    b.draw(Pressed);
    EXPECT_EQ(b.surface.textColour(), b.state.LightColor);
}

// The sanitizer build turns any write past the image into a failure; the pixel checks
// confirm that clipping, not an early return, is what keeps the drawing inside.
TEST(RedrawTest, TinyAndOversizedButtonsStayInsideTheImage) {
    for (std::int32_t type = 1; type <= 7; ++type) {
        for (int w = 1; w <= 8; ++w) {
            for (int h = 1; h <= 8; ++h) {
                TestButton b(type, w, h);
                b.state.HasFocus = kTrue;
                b.draw(Normal);
                b.draw(Pressed);
                b.state.Enabled = kFalse;
                b.draw(Normal);
            }
        }
        TestButton big(type, 30, 12);
        SetButtonSize(big.state, 100000, 100000);
        big.state.HasFocus = kTrue;
        big.draw(Pressed);
        big.draw(Normal);
    }

    TestButton big(1, 30, 12);
    SetButtonSize(big.state, 100000, 100000);
    big.draw(Normal);
    EXPECT_EQ(big.at(0, 5), big.state.DarkShadowColor);
    EXPECT_EQ(big.at(1, 5), big.state.HighlightColor);
    EXPECT_EQ(big.at(29, 5), big.state.FaceColor) << "the right bevel lies far off the image";
}

namespace korven::xpbutton::testing {
namespace {

// At a higher pixel density every look keeps its 1x geometry, scaled by whole 1x pixels,
// while the caption is drawn at the device resolution rather than copied from the 1x one.
TEST(HighDensity, GeometryIsThe1xLookScaledAndTheCaptionIsDrawnAtFullResolution) {
    for (std::int32_t type = 0; type <= 7; ++type) {
        SCOPED_TRACE(type);
        TestButton captioned(type, 97, 25);
        captioned.state.Caption = QStringLiteral("&OK");
        captioned.draw(Normal);
        const QImage oneX = captioned.surface.image();

        for (double ratio : {1.0, 2.0}) {
            TestButton b(type, 97, 25);
            b.surface.setDevicePixelRatio(ratio);
            b.state.Caption = QStringLiteral("&OK");
            b.draw(Normal);
            const QImage device = b.surface.deviceImage();
            ASSERT_EQ(device.size(), QSize(97, 25) * ratio);
            if (ratio == 1.0) {
                EXPECT_EQ(device, oneX) << "1x is the look exactly as before";
                continue;
            }
            // Outside the caption's box the device image is the 1x look with every pixel
            // doubled; inside it the glyphs are new ones, not the 1x glyphs doubled.
            const Rect text = b.state.TextRect;
            int inkPixels = 0;
            int redrawnPixels = 0;
            int oneXInkPixels = 0;
            for (int y = 0; y < device.height(); ++y) {
                for (int x = 0; x < device.width(); ++x) {
                    const int lx = x / 2;
                    const int ly = y / 2;
                    const bool inText =
                        lx >= text.left && lx < text.right && ly >= text.top && ly < text.bottom;
                    const QRgb got = device.pixel(x, y) & 0xFFFFFF;
                    const QRgb doubled = oneX.pixel(lx, ly) & 0xFFFFFF;
                    if (!inText) {
                        ASSERT_EQ(got, doubled) << "at " << x << ", " << y;
                        continue;
                    }
                    inkPixels += qGray(QRgb(got)) < 64;
                    oneXInkPixels += qGray(QRgb(doubled)) < 64;
                    redrawnPixels += got != doubled;
                }
            }
            // The caption shows where the 1x one does (a look without a caption shows none),
            // and it is not the 1x caption blown up.
            EXPECT_EQ(inkPixels > 0, oneXInkPixels > 0);
            EXPECT_EQ(redrawnPixels > 0, oneXInkPixels > 0);
        }
    }
}

} // namespace
} // namespace korven::xpbutton::testing
