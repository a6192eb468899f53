#include "preview/PreviewPlacement.h"

#include <algorithm>
#include <cmath>

namespace korven::preview {

namespace {

// The start of a span of `length` within [low, high], as near `wanted` as it can be.
int Within(int wanted, int length, int low, int high) {
    return std::clamp(wanted, low, std::max(low, high + 1 - length));
}

} // namespace

QRect KeepOnScreen(const QRect& frame, QSize minimum, const QRect& available) {
    const QSize size = frame.size().boundedTo(available.size()).expandedTo(minimum);
    return {Within(frame.x(), size.width(), available.left(), available.right()),
            Within(frame.y(), size.height(), available.top(), available.bottom()), size.width(),
            size.height()};
}

QRect UsableArea(const QRect& available, double devicePixelRatio) {
    if (devicePixelRatio == std::floor(devicePixelRatio))
        return available;
    return available.adjusted(0, 0, -1, -1);
}

QRect PlaceBeside(QSize wanted, QSize minimum, const QRect& mainFrame, const QRect& followed,
                  const QRect& available) {
    QSize size = wanted.boundedTo(available.size()).expandedTo(minimum);
    const int rightRoom = available.right() - mainFrame.right();
    const int leftRoom = mainFrame.left() - available.left();
    // Against the screen's right edge: beside the main window when there is room, otherwise
    // over as little of it as the screen allows.
    const int rightmost = available.right() + 1 - size.width();
    const QRect keepClear = followed.isValid() ? followed : mainFrame;

    int x = rightmost;
    if (size.width() <= rightRoom) {
        x = mainFrame.right() + 1;
    } else if (size.width() <= leftRoom) {
        x = mainFrame.left() - size.width();
    } else if (rightmost > keepClear.right() || size.width() == wanted.width()) {
        x = rightmost;
    } else if (std::max(rightRoom, leftRoom) >= minimum.width()) {
        size.setWidth(std::max(rightRoom, leftRoom));
        x = rightRoom >= leftRoom ? mainFrame.right() + 1 : available.left();
    } else if (available.right() - keepClear.right() >= minimum.width()) {
        size.setWidth(available.right() - keepClear.right());
        x = keepClear.right() + 1;
    }
    const int y = Within(mainFrame.top(), size.height(), available.top(), available.bottom());
    return {QPoint(x, y), size};
}

} // namespace korven::preview
