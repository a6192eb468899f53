#include "ButtonRender.h"
#include "RenderOptions.h"

#include <gtest/gtest.h>

using namespace korven::xpbutton::render;

namespace {

std::optional<Command> parse(const char* line, QString* errorOut = nullptr) {
    QString error;
    auto cmd = ParseArguments(QString::fromUtf8(line).split(u' ', Qt::SkipEmptyParts), error);
    if (errorOut) {
        *errorOut = error;
    }
    return cmd;
}

} // namespace

TEST(RenderArguments, ReadsEveryOption) {
    const auto cmd = parse("--type 3 --scheme 2 --width 105 --height 33 --state 2 --disabled "
                           "--focused --show-focus 0 --default --back 0xE3DFE0 --fore 255 "
                           "--caption Go --mask --out x.png");
    ASSERT_TRUE(cmd);
    const ButtonOptions& o = cmd->button;
    EXPECT_EQ(o.type, 3);
    EXPECT_EQ(o.scheme, 2);
    EXPECT_EQ(o.width, 105);
    EXPECT_EQ(o.height, 33);
    EXPECT_EQ(o.state, 2);
    EXPECT_TRUE(o.disabled && o.focused && o.asDefault && o.mask);
    EXPECT_FALSE(o.showFocus);
    EXPECT_EQ(o.back, 0xE3DFE0u);
    EXPECT_EQ(o.fore, 255u);
    EXPECT_EQ(o.caption, QStringLiteral("Go"));
    EXPECT_EQ(cmd->out, QStringLiteral("x.png"));
}

TEST(RenderArguments, RefusesWhatItCannotUse) {
    const char* bad[] = {
        "",
        "--type 1 --scheme 1 --width 10 --height 10",                // no output
        "--scheme 1 --width 10 --height 10 --out a.png",             // no type
        "--type x --scheme 1 --width 10 --height 10 --out a.png",    // not a number
        "--type 1 --scheme 1 --width 0 --height 10 --out a.png",     // no width
        "--type 1 --scheme 1 --width -5 --height 10 --out a.png",    // negative
        "--type 1 --scheme 1 --width 10 --height 99999 --out a.png", // too large
        "--type 1 --scheme 1 --width 10 --height 10 --state 256 --out a.png",
        "--type 1 --scheme 1 --width 10 --height 10 --show-focus 2 --out a.png",
        "--type 1 --scheme 1 --width 10 --height 10 --back 0x --out a.png",
        "--type 1 --scheme 1 --width 10 --height 10 --back 0x1FFFFFFFF --out a.png",
        "--type 1 --scheme 1 --width 10 --height 10 --bogus --out a.png",
        "--type 1 --scheme 1 --width 10 --height 10 --out",
        "--type 99999999999 --scheme 1 --width 10 --height 10 --out a.png",
        "--sheet s.png --out a.png",
    };
    for (const char* line : bad) {
        QString error;
        EXPECT_FALSE(parse(line, &error)) << line;
        EXPECT_FALSE(error.isEmpty()) << line;
    }
    EXPECT_TRUE(parse("--sheet s.png"));
}

TEST(RenderButton, DrawsTheRequestedSizeAndMasksTheCutCorners) {
    ButtonOptions o;
    o.type = 3;
    o.scheme = 3;
    o.width = 60;
    o.height = 20;
    const QImage plain = RenderButton(o);
    EXPECT_EQ(plain.size(), QSize(60, 20));
    EXPECT_FALSE(plain.hasAlphaChannel());
    EXPECT_EQ(plain.pixel(30, 0), qRgb(0x00, 0x3C, 0x73)) << "the type 3 border, red low byte";

    o.mask = true;
    const QImage masked = RenderButton(o);
    int transparent = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 60; ++x) {
            const int alpha = qAlpha(masked.pixel(x, y));
            EXPECT_TRUE(alpha == 0 || alpha == 255);
            transparent += alpha == 0;
        }
    }
    EXPECT_EQ(transparent, 12);
    EXPECT_EQ(qAlpha(masked.pixel(1, 0)), 0);
    EXPECT_EQ(qAlpha(masked.pixel(2, 0)), 255);
}

TEST(RenderButton, FocusAndDefaultReachTheDrawing) {
    ButtonOptions o;
    o.type = 2;
    o.scheme = 3;
    o.width = 40;
    o.height = 16;
    o.focused = true;
    const QImage notDefault = RenderButton(o);
    o.asDefault = true;
    const QImage asDefault = RenderButton(o);
    EXPECT_EQ(qRed(notDefault.pixel(0, 0)), 0xFF) << "bevel highlight without the flag";
    EXPECT_EQ(qRed(asDefault.pixel(0, 0)), 0x00) << "dark outer frame with the flag";
    EXPECT_NE(asDefault.pixel(4, 4), notDefault.pixel(4, 4)) << "the focus rectangle";
}
