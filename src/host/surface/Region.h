#pragma once

#include "host/surface/Geometry.h"

#include <QRegion>

namespace korven::host {

// The outline of a window: the set of its pixels that are shown and take input. It is a
// value; a window that is given one keeps its own copy, so nothing has to be released.
class Region {
public:
    Region() = default;
    static Region rectangle(const Rect& r);

    // Removes the pixels of r (right and bottom exclusive); pixels outside are ignored.
    void subtract(const Rect& r);

    bool contains(int x, int y) const;
    bool isEmpty() const { return region_.isEmpty(); }
    int pixelCount() const;

    // For setting the region as a widget mask.
    const QRegion& toQRegion() const { return region_; }

    friend bool operator==(const Region& a, const Region& b) { return a.region_ == b.region_; }

private:
    QRegion region_;
};

} // namespace korven::host
