// Types 1, 2, 6 and 7.
#include "ButtonFixture.h"

using namespace korven::xpbutton;
using korven::xpbutton::testing::ExpectGrid;
using korven::xpbutton::testing::GreyKey;
using korven::xpbutton::testing::TestButton;

TEST(Type1Look, NormalGridWithTheGreyPalette) {
    TestButton b(1, 20, 12);
    b.draw(Normal);
    ExpectGrid(b.surface, 0, 0, {"FKKKK", "KWWWW", "KWWWW", "KWWFF", "KWWFF"}, GreyKey(),
               "type1-top-left");
    ExpectGrid(b.surface, 15, 7, {"FFSSK", "FFSSK", "SSSSK", "SSSSK", "KKKKF"}, GreyKey(),
               "type1-bottom-right");
}

TEST(Type1Look, SmallNormalButtonLetsTheShadowLinesWin) {
    TestButton b(1, 10, 6);
    b.draw(Normal);
    EXPECT_EQ(b.at(0, 0), b.state.FaceColor);
    EXPECT_EQ(b.at(1, 0), b.state.DarkShadowColor);
    EXPECT_EQ(b.at(1, 1), b.state.HighlightColor);
    EXPECT_EQ(b.at(2, 2), b.state.HighlightColor);
    EXPECT_EQ(b.at(8, 1), b.state.ShadowColor);
    EXPECT_EQ(b.at(7, 2), b.state.ShadowColor);
    EXPECT_EQ(b.at(1, 4), b.state.ShadowColor);
    EXPECT_EQ(b.at(2, 3), b.state.ShadowColor);
}

TEST(Type1Look, PressedSwapsTheBevelColours) {
    TestButton b(1, 20, 12);
    b.draw(Pressed);
    ExpectGrid(b.surface, 0, 0, {"FKKKK", "KSSSS", "KSSSS", "KSSFF"}, GreyKey(),
               "type1-pressed-top-left");
    ExpectGrid(b.surface, 15, 8, {"FFWWK", "WWWWK", "WWWWK", "KKKKF"}, GreyKey(),
               "type1-pressed-bottom-right");
}

TEST(Type1Look, DisabledHasTheNormalFrameAndNoFocusCue) {
    TestButton normal(1, 20, 12);
    TestButton disabled(1, 20, 12);
    disabled.state.Enabled = kFalse;
    disabled.state.HasFocus = kTrue;
    normal.draw(Normal);
    disabled.draw(Normal);
    EXPECT_EQ(disabled.surface.image(), normal.surface.image());
}

TEST(Type2Look, WithoutTheDefaultFlagTheBevelFillsTheButton) {
    TestButton b(2, 20, 12);
    b.draw(Normal);
    ExpectGrid(b.surface, 0, 0, {"WWWW", "WLLL", "WLFF"}, GreyKey(), "type2-top-left");
    ExpectGrid(b.surface, 16, 8, {"FFSK", "FFSK", "SSSK", "KKKK"}, GreyKey(), "type2-bottom-right");
    EXPECT_EQ(b.at(19, 0), b.state.DarkShadowColor);
    EXPECT_EQ(b.at(0, 11), b.state.DarkShadowColor);
}

TEST(Type2Look, TheDefaultFlagMovesTheBevelInsideADarkFrame) {
    TestButton b(2, 20, 12);
    b.surface.setDisplayAsDefault(kTrue);
    b.draw(Normal);
    ExpectGrid(b.surface, 0, 0, {"KKKK", "KWWW", "KWLL", "KWLF"}, GreyKey(),
               "type2-default-top-left");
    ExpectGrid(b.surface, 15, 7, {"FFSKK", "FFSKK", "SSSKK", "KKKKK", "KKKKK"}, GreyKey(),
               "type2-default-bottom-right");
}

TEST(Type2Look, FocusIsShownOnlyOnTheDefaultButton) {
    for (VbBool flag : {kTrue, kFalse, VbBool(1)}) {
        TestButton unfocused(2, 30, 16);
        TestButton focused(2, 30, 16);
        focused.state.HasFocus = kTrue;
        unfocused.surface.setDisplayAsDefault(flag);
        focused.surface.setDisplayAsDefault(flag);
        unfocused.draw(Normal);
        focused.draw(Normal);
        EXPECT_EQ(focused.surface.image() != unfocused.surface.image(), flag == kTrue)
            << "default flag " << flag;
    }
}

TEST(Type2Look, PressedIsFlatAndShowsFocus) {
    TestButton b(2, 20, 12);
    b.state.HasFocus = kTrue;
    b.draw(Pressed);
    ExpectGrid(b.surface, 0, 0, {"KKKK", "KSSS", "KSFF"}, GreyKey(), "type2-pressed");
    EXPECT_EQ(b.at(4, 4), b.state.FaceColor ^ 0xFFFFFFu) << "dotted focus at FocusRect";
    EXPECT_EQ(b.at(19, 11), b.state.DarkShadowColor);
}

TEST(Type2Look, DisabledIgnoresTheDefaultFlag) {
    TestButton plain(2, 20, 12);
    TestButton asDefault(2, 20, 12);
    plain.state.Enabled = kFalse;
    asDefault.state.Enabled = kFalse;
    asDefault.surface.setDisplayAsDefault(kTrue);
    asDefault.state.HasFocus = kTrue;
    plain.draw(Normal);
    asDefault.draw(Normal);
    EXPECT_EQ(plain.surface.image(), asDefault.surface.image());
}

TEST(Type6Look, TwoPixelFramesInLightPlusEightAndShadow) {
    TestButton b(6, 20, 12);
    b.draw(Normal);
    const Colour light8 = 0xE7E7E7;
    EXPECT_EQ(b.at(0, 0), light8);
    EXPECT_EQ(b.at(1, 1), light8);
    EXPECT_EQ(b.at(2, 2), b.state.FaceColor);
    EXPECT_EQ(b.at(19, 0), b.state.ShadowColor);
    EXPECT_EQ(b.at(18, 10), b.state.ShadowColor);
    EXPECT_EQ(b.at(0, 11), b.state.ShadowColor);
    EXPECT_EQ(b.at(19, 11), b.state.ShadowColor);

    b.draw(Pressed);
    EXPECT_EQ(b.at(0, 0), b.state.ShadowColor);
    EXPECT_EQ(b.at(1, 1), b.state.ShadowColor);
    EXPECT_EQ(b.at(19, 0), light8);
    EXPECT_EQ(b.at(18, 1), light8);
    EXPECT_EQ(b.at(1, 10), light8);
    EXPECT_EQ(b.at(0, 11), light8);
}

TEST(Type6Look, PressedEdgesAreWhiteOnAVeryLightCustomFace) {
    TestButton b(6, 20, 12, 2);
    b.state.BackColor = 0x00E3DFE0; // LightColor 0xFFFEFF, so +8 saturates
    LoadPalette(b.state);
    b.draw(Pressed);
    EXPECT_EQ(b.at(19, 5), 0xFFFFFFu);
    EXPECT_EQ(b.at(5, 10), 0xFFFFFFu);
}

TEST(Type6Look, DisabledDrawsOneShadowCaptionAndTheNormalFrame) {
    TestButton normal(6, 20, 12);
    TestButton disabled(6, 20, 12);
    disabled.state.Enabled = kFalse;
    normal.draw(Normal);
    disabled.draw(Normal);
    EXPECT_EQ(normal.surface.image(), disabled.surface.image());
    EXPECT_EQ(disabled.surface.textColour(), disabled.state.ShadowColor);
}

TEST(Type7Look, OnePixelFrameWhoseCornerEndsInShadow) {
    TestButton normal(7, 20, 12);
    normal.draw(Normal);
    ExpectGrid(normal.surface, 0, 0, {"WWW", "WFF"}, GreyKey(), "type7-top-left");
    ExpectGrid(normal.surface, 17, 9, {"FFS", "FFS", "SSS"}, GreyKey(), "type7-bottom-right");

    TestButton disabled(7, 20, 12);
    disabled.state.Enabled = kFalse;
    disabled.draw(Normal);
    ExpectGrid(disabled.surface, 17, 9, {"FFS", "FFS", "SSS"}, GreyKey(), "type7-disabled");
    ExpectGrid(disabled.surface, 0, 10, {"WF", "SS"}, GreyKey(), "type7-disabled-left");

    TestButton pressed(7, 20, 12);
    pressed.draw(Pressed);
    ExpectGrid(pressed.surface, 0, 0, {"SSS", "SFF"}, GreyKey(), "type7-pressed-top-left");
    ExpectGrid(pressed.surface, 17, 9, {"FFW", "FFW", "WWW"}, GreyKey(),
               "type7-pressed-bottom-right");
}
