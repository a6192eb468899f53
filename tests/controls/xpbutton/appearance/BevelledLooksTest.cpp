// Types 1, 2, 6 and 7.
#include "ButtonFixture.h"

using namespace korven::xpbutton;
using namespace korven::xpbutton::testing;

namespace {

constexpr Colour kLight8 = 0xE7E7E7; // LightColor + 8

// One row per look and variant, laid out by hand as a table.
// clang-format off
const LookCase kBevelledLooks[] = {
    {.name = "Type1Normal", .type = 1, .width = 20, .height = 12,
     .grids = {{0, 0, {"FKKKK", "KWWWW", "KWWWW", "KWWFF", "KWWFF"}},
               {15, 7, {"FFSSK", "FFSSK", "SSSSK", "SSSSK", "KKKKF"}}}},
    {.name = "Type1SmallNormalLetsTheShadowLinesWin", .type = 1, .width = 10, .height = 6,
     .fills = {{0, 0, kF}, {1, 0, kK}, {1, 1, kW}, {2, 2, kW},
               {8, 1, kS}, {7, 2, kS}, {1, 4, kS}, {2, 3, kS}}},
    {.name = "Type1PressedSwapsTheBevelColours", .type = 1, .width = 20, .height = 12,
     .variant = Pressed,
     .grids = {{0, 0, {"FKKKK", "KSSSS", "KSSSS", "KSSFF"}},
               {15, 8, {"FFWWK", "WWWWK", "WWWWK", "KKKKF"}}}},
    {.name = "Type2WithoutTheDefaultFlagTheBevelFillsTheButton", .type = 2, .width = 20,
     .height = 12,
     .grids = {{0, 0, {"WWWW", "WLLL", "WLFF"}}, {16, 8, {"FFSK", "FFSK", "SSSK", "KKKK"}}},
     .fills = {{19, 0, kK}, {0, 11, kK}}},
    {.name = "Type2TheDefaultFlagMovesTheBevelInsideADarkFrame", .type = 2, .width = 20,
     .height = 12, .setup = {.asDefault = kTrue},
     .grids = {{0, 0, {"KKKK", "KWWW", "KWLL", "KWLF"}},
               {15, 7, {"FFSKK", "FFSKK", "SSSKK", "KKKKK", "KKKKK"}}}},
    // The dotted focus starts at FocusRect.
    {.name = "Type2PressedIsFlatAndShowsFocus", .type = 2, .width = 20, .height = 12,
     .variant = Pressed, .setup = {.focus = kTrue},
     .grids = {{0, 0, {"KKKK", "KSSS", "KSFF"}}},
     .fills = {{4, 4, kF ^ 0xFFFFFFu}, {19, 11, kK}}},
    {.name = "Type6TwoPixelFramesInLightPlusEightAndShadow", .type = 6, .width = 20, .height = 12,
     .fills = {{0, 0, kLight8}, {1, 1, kLight8}, {2, 2, kF},
               {19, 0, kS}, {18, 10, kS}, {0, 11, kS}, {19, 11, kS}}},
    {.name = "Type6PressedSwapsTheFrames", .type = 6, .width = 20, .height = 12,
     .variant = Pressed,
     .fills = {{0, 0, kS}, {1, 1, kS},
               {19, 0, kLight8}, {18, 1, kLight8}, {1, 10, kLight8}, {0, 11, kLight8}}},
    // LightColor 0xFFFEFF, so + 8 saturates to white.
    {.name = "Type6PressedEdgesAreWhiteOnAVeryLightCustomFace", .type = 6, .width = 20,
     .height = 12, .variant = Pressed, .setup = {.scheme = 2, .backColor = 0x00E3DFE0},
     .fills = {{19, 5, kW}, {5, 10, kW}}},
    {.name = "Type6DisabledDrawsTheCaptionInShadow", .type = 6, .width = 20, .height = 12,
     .setup = {.enabled = kFalse}, .captionColour = kS},
    {.name = "Type7OnePixelFrameWhoseCornerEndsInShadow", .type = 7, .width = 20, .height = 12,
     .grids = {{0, 0, {"WWW", "WFF"}}, {17, 9, {"FFS", "FFS", "SSS"}}}},
    {.name = "Type7Disabled", .type = 7, .width = 20, .height = 12,
     .setup = {.enabled = kFalse},
     .grids = {{17, 9, {"FFS", "FFS", "SSS"}}, {0, 10, {"WF", "SS"}}}},
    {.name = "Type7Pressed", .type = 7, .width = 20, .height = 12, .variant = Pressed,
     .grids = {{0, 0, {"SSS", "SFF"}}, {17, 9, {"FFW", "FFW", "WWW"}}}},
};
// clang-format on

class BevelledLook : public ::testing::TestWithParam<LookCase> {};

TEST_P(BevelledLook, DrawsItsPixels) {
    ExpectLook(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Looks, BevelledLook, ::testing::ValuesIn(kBevelledLooks), CaseName);

// Two set-ups of one look that must draw the same image, or must not.
struct PairCase {
    const char* name;
    std::int32_t type;
    int width, height;
    Setup first, second;
    bool same;
};

const PairCase kPairs[] = {
    {"Type1DisabledHasTheNormalFrameAndNoFocusCue",
     1,
     20,
     12,
     {},
     {.enabled = kFalse, .focus = kTrue},
     true},
    // Focus shows on type 2 only when the container draws it as its default button, and only
    // for exactly -1.
    {"Type2FocusShowsOnTheDefaultButton",
     2,
     30,
     16,
     {.asDefault = kTrue},
     {.focus = kTrue, .asDefault = kTrue},
     false},
    {"Type2FocusIsHiddenOnAnotherButton", 2, 30, 16, {}, {.focus = kTrue}, true},
    {"Type2FocusIsHiddenWhenTheDefaultFlagIsOne",
     2,
     30,
     16,
     {.asDefault = VbBool(1)},
     {.focus = kTrue, .asDefault = VbBool(1)},
     true},
    {"Type2DisabledIgnoresTheDefaultFlag",
     2,
     20,
     12,
     {.enabled = kFalse},
     {.enabled = kFalse, .focus = kTrue, .asDefault = kTrue},
     true},
    {"Type6DisabledHasTheNormalFrame", 6, 20, 12, {}, {.enabled = kFalse}, true},
};

TEST(BevelledLookPairs, DrawTheSameImageOrNot) {
    for (const PairCase& c : kPairs) {
        TestButton first(c.type, c.width, c.height);
        TestButton second(c.type, c.width, c.height);
        Apply(c.first, first);
        Apply(c.second, second);
        first.draw(Normal);
        second.draw(Normal);
        EXPECT_EQ(first.surface.image() == second.surface.image(), c.same) << c.name;
    }
}

} // namespace
