// make-artwork OUTPUT_DIR: draws every picture of the program and writes it as PNG.
#include "Drawings.h"
#include "Quantize.h"
#include "korven/Artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

namespace {

bool Write(const QImage& image, const QDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "make-artwork: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s %dx%d\n", qPrintable(path), image.width(), image.height());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    // Text is drawn through the platform's font database, which needs a GUI application.
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-artwork OUTPUT_DIR\n");
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "make-artwork: cannot create %s\n", argv[1]);
        return 1;
    }
    using namespace korven::artwork;
    const auto palette = SixteenColourPalette();
    bool ok = Write(QuantizeToPalette(DrawIcon(32), palette), dir, QStringLiteral("icon.png"));
    for (int size : {48, 64, 128}) {
        ok &= Write(DrawIcon(size), dir, QStringLiteral("icon-%1.png").arg(size));
    }
    ok &= Write(DrawBanner(), dir, QStringLiteral("banner.png"));
    ok &= Write(DrawDisclaimerBanner(), dir, QStringLiteral("disclaimer-banner.png"));
    ok &= Write(QuantizeToPalette(DrawHandPointer(), palette), dir,
                QStringLiteral("hand-pointer.png"));
    // The window pictures again for scaled screens, each drawn as its 1x picture is: the icon
    // in sixteen colours with hard edges, the banners in full colour.
    for (qreal density : korven::assets::kPictureDensities) {
        const auto at = [density](const char* name) {
            return korven::assets::PictureAt(QString::fromLatin1(name), density);
        };
        ok &= Write(QuantizeToPalette(DrawIcon(qRound(32 * density), false), palette), dir,
                    at("icon.png"));
        ok &= Write(DrawBanner(density), dir, at("banner.png"));
        ok &= Write(DrawDisclaimerBanner(density), dir, at("disclaimer-banner.png"));
    }
    return ok ? 0 : 1;
}
