#include "korven/Artwork.h"

#include <QFile>
#include <QImage>
#include <QSet>
#include <gtest/gtest.h>
#include <ostream>

namespace {

struct Picture {
    const char* name;
    const char* path;
    QSize size;
    bool sixteenColours; // otherwise plain 24-bit colour, no transparency
};

// Names the case in test listings instead of dumping the struct's bytes.
void PrintTo(const Picture& picture, std::ostream* out) {
    *out << picture.name;
}

class ArtworkPicture : public ::testing::TestWithParam<Picture> {};

int DistinctColours(const QImage& image) {
    QSet<QRgb> colours;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            colours.insert(argb.pixel(x, y));
        }
    }
    return colours.size();
}

} // namespace

TEST_P(ArtworkPicture, IsBuiltInWithItsSizeAndColourDepth) {
    const Picture picture = GetParam();
    ASSERT_TRUE(QFile::exists(QString::fromLatin1(picture.path))) << picture.path;
    const QImage image(QString::fromLatin1(picture.path));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), picture.size);
    if (picture.sixteenColours) {
        EXPECT_LE(DistinctColours(image), 16);
        ASSERT_LE(image.colorCount(), 16);
        EXPECT_GT(image.colorCount(), 0) << "saved as a palette picture";
    } else {
        EXPECT_FALSE(image.hasAlphaChannel());
        // A real drawing, not a flat fill.
        EXPECT_GT(DistinctColours(image), 16);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, ArtworkPicture,
    ::testing::Values(
        Picture{"Icon", korven::assets::kIconPath, {32, 32}, true},
        Picture{"HandPointer", korven::assets::kHandPointerPath, {32, 32}, true},
        Picture{"Banner", korven::assets::kBannerPath, {743, 82}, false},
        Picture{"DisclaimerBanner", korven::assets::kDisclaimerBannerPath, {211, 26}, false}),
    [](const ::testing::TestParamInfo<Picture>& info) { return std::string(info.param.name); });

TEST(Artwork, HandPointerHotSpotIsOnTheFingerTip) {
    const QImage hand(QString::fromLatin1(korven::assets::kHandPointerPath));
    const QPoint spot = korven::assets::kHandPointerHotSpot;
    ASSERT_TRUE(hand.rect().contains(spot));
    // The hot spot is on the drawn outline, with nothing drawn above it.
    EXPECT_GT(qAlpha(hand.pixel(spot)), 0);
    for (int y = 0; y < spot.y(); ++y) {
        EXPECT_EQ(qAlpha(hand.pixel(spot.x(), y)), 0);
    }
    const QCursor cursor = korven::assets::HandPointerCursor();
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.hotSpot(), spot);
}

TEST(Artwork, ApplicationIconOffersEveryRendition) {
    const QIcon icon = korven::assets::ApplicationIcon();
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    for (int side : {32, 48, 64, 128}) {
        EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
    }
}

TEST(Artwork, AMissingPictureLoadsAsNullWithoutFailing) {
    EXPECT_TRUE(korven::assets::LoadPicture(":/korven/no-such-picture.png").isNull());
}

TEST(Artwork, AScaledScreenGetsThePictureDrawnForItsDensity) {
    const struct {
        qreal density;
        QSize pixels;
        qreal drawnFor;
    } cases[] = {
        {0.75, {743, 82}, 1.0},   {1.0, {743, 82}, 1.0},   {1.1, {929, 103}, 1.25},
        {1.25, {929, 103}, 1.25}, {1.5, {1115, 123}, 1.5}, {1.75, {1486, 164}, 2.0},
        {2.0, {1486, 164}, 2.0},  {3.0, {1486, 164}, 2.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.density);
        const QPixmap picture = korven::assets::LoadPicture(korven::assets::kBannerPath, c.density);
        EXPECT_EQ(picture.size(), c.pixels);
        EXPECT_EQ(picture.devicePixelRatio(), c.drawnFor);
    }
}

TEST(Artwork, EveryDensityHasEachWindowPictureInItsOwnColourDepth) {
    for (qreal density : korven::assets::kPictureDensities) {
        SCOPED_TRACE(density);
        const auto at = [density](const char* path) {
            return QImage(korven::assets::PictureAt(QString::fromLatin1(path), density));
        };
        const QImage icon = at(korven::assets::kIconPath);
        EXPECT_EQ(icon.size(), QSize(32, 32) * density);
        EXPECT_LE(icon.colorCount(), 16);
        EXPECT_EQ(at(korven::assets::kDisclaimerBannerPath).size(),
                  QSize(qRound(211 * density), qRound(26 * density)));
        EXPECT_FALSE(at(korven::assets::kBannerPath).hasAlphaChannel());
    }
    EXPECT_EQ(korven::assets::PictureAt(QStringLiteral(":/korven/banner.png"), 1.5),
              QStringLiteral(":/korven/banner@1.5x.png"));
}
