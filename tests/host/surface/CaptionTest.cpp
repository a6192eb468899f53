#include "host/surface/CaptionText.h"
#include "host/surface/ImageSurface.h"

#include <gtest/gtest.h>

using korven::host::ImageSurface;
using korven::host::MnemonicText;
using korven::host::Rect;
using korven::host::resolveMnemonics;

TEST(Mnemonics, MarksAreHiddenAndUnderlineTheNextCharacter) {
    struct Case {
        const char* caption;
        const char* shown;
        QList<int> underlined;
    };
    const Case cases[] = {
        {"&Convert Font", "Convert Font", {0}},
        {"Save && Exit", "Save & Exit", {}},
        {"A&&B&C", "A&BC", {3}},
        {"AB&", "AB", {}},
        {"&", "", {}},
        {"&&&x", "&x", {1}},
        {"", "", {}},
    };
    for (const Case& c : cases) {
        const MnemonicText m = resolveMnemonics(QString::fromUtf8(c.caption));
        EXPECT_EQ(m.shown, QString::fromUtf8(c.shown)) << c.caption;
        EXPECT_EQ(m.underlined, c.underlined) << c.caption;
    }
}

namespace {

QRect paintedBounds(const ImageSurface& s) {
    QRect bounds;
    for (int y = 0; y < s.clientHeight(); ++y) {
        for (int x = 0; x < s.clientWidth(); ++x) {
            if (s.pixel(x, y) != ImageSurface::kBackground) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

} // namespace

TEST(Caption, IsCentredInItsRectangleAndLeavesTheBackground) {
    ImageSurface s(120, 40);
    s.setTextColour(0x0000FF);
    s.drawCaption(QStringLiteral("Mm"), {0, 0, 120, 40});
    const QRect ink = paintedBounds(s);
    ASSERT_FALSE(ink.isEmpty());
    // Centred within a few pixels both ways (glyph side bearings differ by font).
    EXPECT_NEAR(ink.center().x(), 60, 3);
    EXPECT_NEAR(ink.center().y(), 20, 4);
    // Far from the glyphs the background is untouched.
    EXPECT_EQ(s.pixel(0, 0), ImageSurface::kBackground);
    EXPECT_EQ(s.pixel(119, 39), ImageSurface::kBackground);
}

TEST(Caption, IsClippedToItsRectangle) {
    ImageSurface s(120, 40);
    s.setTextColour(0);
    s.drawCaption(QStringLiteral("WWWWWWWWWWWWWWWWWWWW"), {30, 10, 60, 30});
    const QRect ink = paintedBounds(s);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_TRUE(QRect(30, 10, 30, 20).contains(ink)) << "ink reached outside the rectangle";
}

TEST(Caption, PressedRectangleMovesTheCaptionOnePixelRightAndDown) {
    ImageSurface normal(100, 30);
    ImageSurface pressed(100, 30);
    normal.drawCaption(QStringLiteral("Convert"), {0, 0, 100, 30});
    pressed.drawCaption(QStringLiteral("Convert"), {2, 2, 100, 30});
    EXPECT_EQ(paintedBounds(pressed), paintedBounds(normal).translated(1, 1));
}

TEST(Caption, AccessKeyIsUnderlinedAndDoubleAmpersandDrawsOne) {
    ImageSurface plain(100, 30);
    ImageSurface marked(100, 30);
    plain.drawCaption(QStringLiteral("O"), {0, 0, 100, 30});
    marked.drawCaption(QStringLiteral("&O"), {0, 0, 100, 30});
    EXPECT_GE(paintedBounds(marked).bottom(), paintedBounds(plain).bottom())
        << "the underline adds ink at or below the letter";
    EXPECT_NE(marked.image(), plain.image());

    ImageSurface doubled(100, 30);
    doubled.drawCaption(QStringLiteral("A&&B"), {0, 0, 100, 30});
    ImageSurface literal(100, 30);
    literal.drawCaption(QStringLiteral("AB"), {0, 0, 100, 30});
    EXPECT_NE(doubled.image(), literal.image()) << "&& must leave an & visible";
}

TEST(Caption, EmptyCaptionDrawsNothing) {
    ImageSurface s(50, 20);
    const QImage before = s.image();
    s.drawCaption(QString(), {0, 0, 50, 20});
    EXPECT_EQ(s.image(), before);
}

TEST(TextSize, CountsAmpersandsAndFollowsTheBoldFlag) {
    ImageSurface s(10, 10);
    const auto plain = s.textSize(QStringLiteral("Convert"));
    const auto marked = s.textSize(QStringLiteral("&Convert"));
    EXPECT_GT(marked.width, plain.width);
    EXPECT_GT(plain.height, 0.0f);

    EXPECT_FALSE(s.bold());
    s.setBold(true);
    EXPECT_TRUE(s.bold());
    EXPECT_TRUE(s.font().bold());
    EXPECT_GE(s.textSize(QStringLiteral("Convert")).width, plain.width);
}

TEST(Caption, StaysOnOneLineAndExpandsTabs) {
    ImageSurface one(200, 60), broken(200, 60), tabbed(200, 60), spaced(200, 60);
    one.drawCaption(QStringLiteral("AB"), {0, 0, 200, 60});
    broken.drawCaption(QStringLiteral("A\nB"), {0, 0, 200, 60});
    tabbed.drawCaption(QStringLiteral("A\tB"), {0, 0, 200, 60});
    spaced.drawCaption(QStringLiteral("A B"), {0, 0, 200, 60});
    EXPECT_LE(paintedBounds(broken).height(), paintedBounds(one).height() + 1)
        << "a line break must not start a second line";
    EXPECT_GE(paintedBounds(broken).width(), paintedBounds(one).width())
        << "the text after a line break is still drawn";
    EXPECT_GT(paintedBounds(tabbed).width(), paintedBounds(spaced).width() + 10)
        << "a tab reaches the next tab stop, well past one space";
}

// At a higher density the device image is made once per redraw: paint events in between get
// the same image, and any drawing, caption or ratio change makes a new one.
TEST(DeviceImage, IsMadeOncePerRedrawAndAnewAfterAnyChange) {
    ImageSurface s(20, 10);
    s.setDevicePixelRatio(2);
    s.fillRect({0, 0, 20, 10}, 0x00FF0000);
    const qint64 first = s.deviceImage().cacheKey();
    EXPECT_EQ(s.deviceImage().cacheKey(), first) << "a second paint made the image again";

    const auto changed = [&s](qint64 before) { return s.deviceImage().cacheKey() != before; };
    qint64 key = first;
    s.setPixel(3, 3, 0x000000FF);
    EXPECT_TRUE(changed(key));
    EXPECT_EQ(s.deviceImage().pixel(7, 7) & 0xFFFFFF, 0xFF0000u) << "the new pixel is shown";
    key = s.deviceImage().cacheKey();
    s.drawCaption(QStringLiteral("A"), {0, 0, 20, 10});
    EXPECT_TRUE(changed(key));
    key = s.deviceImage().cacheKey();
    s.setDevicePixelRatio(3);
    EXPECT_TRUE(changed(key));
    EXPECT_EQ(s.deviceImage().size(), QSize(60, 30));
}
