// Palette, outline and access key: the values derived from the button's properties.
#include "ButtonFixture.h"
#include "controls/xpbutton/appearance/AccessKey.h"
#include "controls/xpbutton/appearance/Outline.h"
#include "host/surface/SystemColours.h"

#include <set>

using namespace korven::xpbutton;
using korven::host::ImageSurface;

namespace {

Colour fakeSystemColour(int index) {
    return 0x010000u * Colour(index) + 0x42;
}

} // namespace

TEST(OffsetColor, ClampsEachChannel) {
    EXPECT_EQ(OffsetColor(0x00FFFFFF, +47), 0x00FFFFFFu);
    EXPECT_EQ(OffsetColor(0x00000000, -64), 0x00000000u);
    EXPECT_EQ(OffsetColor(0x00102030, -0x20), 0x00000010u);
    EXPECT_EQ(OffsetColor(0x00F00F80, +0x20), 0x00FF2FA0u);
    EXPECT_EQ(OffsetColor(0x00123456, 0), 0x00123456u);
}

TEST(OffsetColor, TakesAColourWithBit31SetAsASignedValue) {
    // Red 15, green and blue -255: the system colour name is not resolved.
    EXPECT_EQ(OffsetColor(0x8000000F, +31), 0x0000002Eu);
    EXPECT_EQ(OffsetColor(0x8000000F, 0), 0x0000000Fu);
    // The high byte of an ordinary value is dropped.
    EXPECT_EQ(OffsetColor(0x01FFFFFF, 0), 0x00FFFFFFu);
}

TEST(LoadPalette, CustomSchemeShadesBackColor) {
    ButtonState s;
    s.ColorScheme = 2;
    s.BackColor = 0x00E3DFE0;
    s.ForeColor = 0;
    LoadPalette(s, fakeSystemColour);
    EXPECT_EQ(s.FaceColor, 0x00E3DFE0u);
    EXPECT_EQ(s.ShadowColor, 0x00A39FA0u);
    EXPECT_EQ(s.LightColor, 0x00FFFEFFu);
    EXPECT_EQ(s.HighlightColor, 0x00FFFFFFu);
    EXPECT_EQ(s.DarkShadowColor, 0x00231F20u);
    EXPECT_EQ(s.TextColor, 0u);
}

TEST(LoadPalette, GreySchemeIgnoresTheCustomColours) {
    ButtonState s;
    s.ColorScheme = 3;
    s.BackColor = 0x123456;
    s.ForeColor = 0x654321;
    LoadPalette(s, fakeSystemColour);
    EXPECT_EQ(s.FaceColor, 0xC0C0C0u);
    EXPECT_EQ(s.ShadowColor, 0x808080u);
    EXPECT_EQ(s.LightColor, 0xDFDFDFu);
    EXPECT_EQ(s.HighlightColor, 0xFFFFFFu);
    EXPECT_EQ(s.DarkShadowColor, 0x000000u);
    EXPECT_EQ(s.TextColor, 0x000000u);
}

TEST(LoadPalette, EveryOtherSchemeReadsTheSystemColours) {
    for (std::int32_t scheme : {0, 1, 4, -1, 99}) {
        ButtonState s;
        s.ColorScheme = scheme;
        s.BackColor = 0x123456;
        LoadPalette(s, fakeSystemColour);
        EXPECT_EQ(s.FaceColor, fakeSystemColour(15)) << scheme;
        EXPECT_EQ(s.ShadowColor, fakeSystemColour(16)) << scheme;
        EXPECT_EQ(s.LightColor, fakeSystemColour(22)) << scheme;
        EXPECT_EQ(s.HighlightColor, fakeSystemColour(20)) << scheme;
        EXPECT_EQ(s.DarkShadowColor, fakeSystemColour(21)) << scheme;
        EXPECT_EQ(s.TextColor, fakeSystemColour(18)) << scheme;
    }
}

TEST(ButtonStateAtCreation, HasNoTypeNoSizeAndTheSystemColours) {
    ImageSurface surface(10, 10);
    QFont font = surface.font();
    font.setPointSize(17);
    surface.setFont(font);
    const ButtonState s = CreateButtonState(surface);
    EXPECT_EQ(s.ButtonType, 0);
    EXPECT_EQ(s.ColorScheme, 0);
    EXPECT_EQ(s.ButtonWidth, 0);
    EXPECT_EQ(s.ButtonHeight, 0);
    EXPECT_EQ(s.LastMouseButton, 1);
    EXPECT_EQ(s.DrawnState, 0);
    EXPECT_TRUE(s.DrawnCaption.isEmpty());
    EXPECT_TRUE(s.Caption.isEmpty());
    EXPECT_EQ(s.Enabled, kTrue);
    EXPECT_EQ(s.ShowFocusRect, kTrue);
    EXPECT_EQ(s.HasFocus, kFalse);
    EXPECT_FALSE(s.OutlineRegion.has_value());
    EXPECT_EQ(s.PressedTextRect.left, 2);
    EXPECT_EQ(s.PressedTextRect.top, 2);
    EXPECT_EQ(s.Font, font);
    EXPECT_EQ(s.BackColor, korven::host::GetSysColor(korven::host::COLOR_BTNFACE));
    EXPECT_EQ(s.ForeColor, korven::host::GetSysColor(korven::host::COLOR_BTNTEXT));
    EXPECT_EQ(s.FaceColor, korven::host::GetSysColor(korven::host::COLOR_BTNFACE));
    EXPECT_EQ(s.DarkShadowColor, korven::host::GetSysColor(korven::host::COLOR_3DDKSHADOW));
}

TEST(ButtonStateSize, KeepsTheThreeRectanglesInStep) {
    ButtonState s;
    SetButtonSize(s, 105, 33);
    EXPECT_EQ(s.TextRect, (Rect{0, 0, 105, 33}));
    EXPECT_EQ(s.PressedTextRect, (Rect{2, 2, 105, 33}));
    EXPECT_EQ(s.FocusRect, (Rect{4, 4, 101, 29}));
}

namespace {

using PixelSet = std::set<std::pair<int, int>>;

PixelSet removedPixels(std::int32_t type, int w, int h) {
    const korven::host::Region region = OutlineFor(type, w, h);
    PixelSet out;
    for (int y = -1; y <= h; ++y) {
        for (int x = -1; x <= w; ++x) {
            const bool inRect = x >= 0 && y >= 0 && x < w && y < h;
            if (region.contains(x, y) != inRect) {
                out.insert({x, y}); // outside pixels never belong to the outline
                EXPECT_TRUE(inRect) << "outline reaches outside at " << x << "," << y;
            }
        }
    }
    return out;
}

} // namespace

TEST(BuildOutline, CutsTheCornersOfEachTypeOnA60By20Button) {
    const PixelSet none;
    const PixelSet one = {{0, 0}, {0, 19}, {59, 0}, {59, 19}};
    const PixelSet three = {{0, 0},  {1, 0},  {0, 1},  {0, 19},  {1, 19},  {0, 18},
                            {58, 0}, {59, 0}, {59, 1}, {58, 19}, {59, 19}, {59, 18}};
    const PixelSet five = {{0, 19}, {59, 0}};
    EXPECT_EQ(removedPixels(1, 60, 20), one);
    EXPECT_EQ(removedPixels(2, 60, 20), none);
    EXPECT_EQ(removedPixels(3, 60, 20), three);
    EXPECT_EQ(removedPixels(4, 60, 20), three);
    EXPECT_EQ(removedPixels(5, 60, 20), five);
    for (std::int32_t type : {0, 6, 7, 8, -3}) {
        EXPECT_EQ(removedPixels(type, 60, 20), none) << type;
    }
}

TEST(BuildOutline, StoresTheRegionForTheCurrentTypeAndSize) {
    ButtonState s;
    s.ButtonType = 4;
    SetButtonSize(s, 30, 10);
    BuildOutline(s);
    ASSERT_TRUE(s.OutlineRegion.has_value());
    EXPECT_EQ(s.OutlineRegion->pixelCount(), 300 - 12);
    EXPECT_FALSE(s.OutlineRegion->contains(28, 9));

    SetButtonSize(s, 0, 0);
    BuildOutline(s);
    EXPECT_TRUE(s.OutlineRegion->isEmpty());
}

TEST(AccessKey, TakesTheCharacterAfterTheFirstUsableMark) {
    const std::pair<const char*, const char*> cases[] = {
        {"&OK", "o"},      {"&Convert Font", "c"},
        {"&EXIT", "e"},    {"A&&B&C", "c"},
        {"A&&B&&C&D", ""}, {"Save && Exit", ""},
        {"AB&", ""},       {"&", ""},
        {"", ""},          {"&&", ""},
        {"A&&B&", ""},     {"x&Y&z", "y"},
        {"&&&q", "q"},     {"E&xit", "x"},
        {"&1 two", "1"},   {"&&A&b", "b"},
    };
    for (const auto& [caption, key] : cases) {
        EXPECT_EQ(AccessKeyOf(QString::fromUtf8(caption)), QString::fromUtf8(key)) << caption;
    }
}

TEST(AccessKey, IsGivenToTheSurface) {
    ImageSurface surface(10, 10);
    ButtonState s;
    s.Caption = QStringLiteral("&Convert Font");
    UpdateAccessKey(s, surface);
    EXPECT_EQ(surface.accessKeys(), QStringLiteral("c"));
    s.Caption = QStringLiteral("Save && Exit");
    UpdateAccessKey(s, surface);
    EXPECT_TRUE(surface.accessKeys().isEmpty());
}
