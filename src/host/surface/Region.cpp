#include "host/surface/Region.h"

#include <algorithm>
#include <cstdint>

namespace korven::host {

namespace {

// QRect takes a width and height; a rectangle that is empty or inverted gives no pixels.
QRect toQRect(const Rect& r) {
    const qint64 w = qint64(r.right) - r.left;
    const qint64 h = qint64(r.bottom) - r.top;
    if (w <= 0 || h <= 0) {
        return {};
    }
    return QRect(r.left, r.top, int(std::min<qint64>(w, INT32_MAX)),
                 int(std::min<qint64>(h, INT32_MAX)));
}

} // namespace

Region Region::rectangle(const Rect& r) {
    Region region;
    region.region_ = QRegion(toQRect(r));
    return region;
}

void Region::subtract(const Rect& r) {
    const QRect q = toQRect(r);
    if (!q.isEmpty()) {
        region_ = region_.subtracted(QRegion(q));
    }
}

bool Region::contains(int x, int y) const {
    return region_.contains(QPoint(x, y));
}

int Region::pixelCount() const {
    qint64 count = 0;
    for (const QRect& r : region_) {
        count += qint64(r.width()) * r.height();
    }
    return int(std::min<qint64>(count, INT32_MAX));
}

} // namespace korven::host
