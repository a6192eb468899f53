#include "korven/Artwork.h"

#include <QFile>

namespace korven::assets {

QPixmap LoadPicture(const char* path) {
    const QString name = QString::fromLatin1(path);
    // QPixmap would log a warning for a missing file; asking first keeps start-up quiet.
    if (!QFile::exists(name)) {
        return {};
    }
    return QPixmap(name);
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
