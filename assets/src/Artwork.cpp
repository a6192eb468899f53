#include "korven/Artwork.h"

#include <QFile>
#include <QImageReader>

namespace korven::assets {

namespace {

// Every picture of ours is a PNG file. Read as one, with nothing guessed, it goes straight to
// the toolkit's own PNG reader; a guess would first load every image plugin installed, each a
// library to open at start-up, and a desktop may have many.
QPixmap ReadPng(const QString& name) {
    QImageReader reader(name, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

} // namespace

QPixmap LoadPicture(const char* path) {
    const QString name = QString::fromLatin1(path);
    // QPixmap would log a warning for a missing file; asking first keeps start-up quiet.
    if (!QFile::exists(name)) {
        return {};
    }
    return ReadPng(name);
}

QString PictureAt(const QString& name, qreal density) {
    if (density == 1.0)
        return name;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString suffix = QStringLiteral("@%1x").arg(density);
    return dot < 0 ? name + suffix : name.left(dot) + suffix + name.mid(dot);
}

QPixmap LoadPicture(const char* path, qreal density) {
    qreal chosen = 1.0;
    for (qreal drawn : kPictureDensities) {
        chosen = drawn;
        if (drawn >= density)
            break;
    }
    if (density <= 1.0)
        chosen = 1.0;
    const QString name = PictureAt(QString::fromLatin1(path), chosen);
    if (chosen == 1.0 || !QFile::exists(name))
        return LoadPicture(path);
    QPixmap picture = ReadPng(name);
    picture.setDevicePixelRatio(chosen);
    return picture;
}

QIcon ApplicationIcon() {
    QIcon icon;
    for (const char* path : {kIconPath, kIcon48Path, kIcon64Path, kIcon128Path}) {
        const QPixmap picture = LoadPicture(path);
        if (!picture.isNull()) {
            icon.addPixmap(picture);
        }
    }
    return icon;
}

QCursor HandPointerCursor() {
    const QPixmap picture = LoadPicture(kHandPointerPath);
    if (picture.isNull()) {
        return QCursor(Qt::PointingHandCursor);
    }
    return QCursor(picture, kHandPointerHotSpot.x(), kHandPointerHotSpot.y());
}

} // namespace korven::assets
