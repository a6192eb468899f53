#include "host/surface/ImageSurface.h"
#include "host/surface/Region.h"
#include "host/surface/SystemColours.h"

#include <QGuiApplication>
#include <QPalette>
#include <algorithm>
#include <gtest/gtest.h>

using namespace korven::host;

TEST(Region, RectangleMinusPixels) {
    Region r = Region::rectangle({0, 0, 6, 4});
    EXPECT_EQ(r.pixelCount(), 24);
    r.subtract({0, 0, 2, 1});
    r.subtract({5, 3, 6, 4});
    r.subtract({7, 7, 9, 9}); // outside: no effect
    r.subtract({3, 3, 3, 4}); // empty: no effect
    EXPECT_EQ(r.pixelCount(), 21);
    EXPECT_FALSE(r.contains(0, 0));
    EXPECT_FALSE(r.contains(1, 0));
    EXPECT_TRUE(r.contains(2, 0));
    EXPECT_FALSE(r.contains(5, 3));
    EXPECT_FALSE(r.contains(6, 0)) << "right edge is exclusive";
    EXPECT_TRUE(Region::rectangle({0, 0, 0, 5}).isEmpty());
}

TEST(SurfaceWindowFacilities, AreRememberedForReadBack) {
    ImageSurface s(10, 10);
    EXPECT_EQ(s.displayAsDefault(), kFalse);
    s.setDisplayAsDefault(kTrue);
    EXPECT_EQ(s.displayAsDefault(), kTrue);
    s.setAccessKeys(QStringLiteral("c"));
    EXPECT_EQ(s.accessKeys(), QStringLiteral("c"));
    s.setEnabled(false);
    EXPECT_FALSE(s.enabled());
    s.setWindowOutline(Region::rectangle({0, 0, 3, 3}));
    EXPECT_EQ(s.windowOutline().pixelCount(), 9);
    s.refresh();
    EXPECT_EQ(s.refreshCount(), 1);
}

class SystemColours : public ::testing::Test {
protected:
    void SetUp() override { saved_ = QGuiApplication::palette(); }
    void TearDown() override { QGuiApplication::setPalette(saved_); }
    QPalette saved_;
};

TEST_F(SystemColours, FollowTheApplicationPaletteAtTheMomentOfTheCall) {
    QPalette p = QGuiApplication::palette();
    p.setColor(QPalette::Button, QColor(1, 2, 3));
    p.setColor(QPalette::Dark, QColor(4, 5, 6));
    p.setColor(QPalette::Shadow, QColor(7, 8, 9));
    p.setColor(QPalette::Midlight, QColor(10, 11, 12));
    p.setColor(QPalette::Light, QColor(13, 14, 15));
    p.setColor(QPalette::ButtonText, QColor(16, 17, 18));
    p.setColor(QPalette::Base, QColor(19, 20, 21));
    p.setColor(QPalette::Text, QColor(22, 23, 24));
    QGuiApplication::setPalette(p);

    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), 0x030201u);
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), 0x060504u);
    EXPECT_EQ(GetSysColor(COLOR_3DDKSHADOW), 0x090807u);
    // Halfway between the face and the highlight, whatever the toolkit's midlight says.
    EXPECT_EQ(GetSysColor(COLOR_3DLIGHT), 0x090807u);
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), 0x0F0E0Du);
    EXPECT_EQ(GetSysColor(COLOR_BTNTEXT), 0x121110u);
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), 0x151413u);
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), 0x181716u);
    EXPECT_EQ(GetSysColor(99), 0u);

    p.setColor(QPalette::Button, QColor(200, 100, 50));
    QGuiApplication::setPalette(p);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), 0x3264C8u);
}

TEST_F(SystemColours, TheLightShadeLiesBetweenFaceAndHighlightOnLightAndDarkPalettes) {
    const QPalette dark(QColor(53, 53, 53)); // a dark desktop: shades derived from the face
    for (const QPalette& p : {saved_, dark}) {
        QGuiApplication::setPalette(p);
        const Colour face = GetSysColor(COLOR_BTNFACE);
        const Colour light = GetSysColor(COLOR_3DLIGHT);
        const Colour highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
        for (int shift : {0, 8, 16}) {
            const unsigned f = (face >> shift) & 0xFF;
            const unsigned l = (light >> shift) & 0xFF;
            const unsigned h = (highlight >> shift) & 0xFF;
            EXPECT_LT(std::min(f, h), l);
            EXPECT_LT(l, std::max(f, h));
        }
    }
}
