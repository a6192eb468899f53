#include "host/surface/ImageSurface.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace korven::host {

namespace {

// Clamps a 64-bit coordinate range [lo, hi) to [0, size).
struct Span {
    int from;
    int to; // exclusive
    bool empty() const { return to <= from; }
};

Span clampSpan(std::int64_t lo, std::int64_t hi, int size) {
    lo = std::max<std::int64_t>(lo, 0);
    hi = std::min<std::int64_t>(hi, size);
    if (hi <= lo) {
        return {0, 0};
    }
    return {int(lo), int(hi)};
}

} // namespace

ImageSurface::ImageSurface() : ImageSurface(0, 0) {}

ImageSurface::ImageSurface(int width, int height) {
    resize(width, height);
}

void ImageSurface::resize(int width, int height) {
    image_ = QImage(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    clear();
}

Colour ImageSurface::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) {
        return 0xFFFFFFFFu;
    }
    return fromArgb(reinterpret_cast<const std::uint32_t*>(image_.constScanLine(y))[x]);
}

void ImageSurface::clear() {
    image_.fill(toArgb(kBackground));
    deferredCaptions_.clear();
}

// Row y, columns [x0, x1), clipped.
void ImageSurface::hspan(std::int64_t y, std::int64_t x0, std::int64_t x1, Colour c) {
    if (y < 0 || y >= image_.height()) {
        return;
    }
    const Span s = clampSpan(x0, x1, image_.width());
    if (s.empty()) {
        return;
    }
    auto* row = reinterpret_cast<std::uint32_t*>(image_.scanLine(int(y)));
    std::fill(row + s.from, row + s.to, toArgb(c));
}

// Column x, rows [y0, y1), clipped.
void ImageSurface::vspan(std::int64_t x, std::int64_t y0, std::int64_t y1, Colour c) {
    if (x < 0 || x >= image_.width()) {
        return;
    }
    const Span s = clampSpan(y0, y1, image_.height());
    if (s.empty()) {
        return;
    }
    const std::uint32_t argb = toArgb(c);
    // One detach check for the whole column rather than one per row.
    uchar* bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    for (int y = s.from; y < s.to; ++y) {
        reinterpret_cast<std::uint32_t*>(bits + stride * y)[x] = argb;
    }
}

void ImageSurface::fillRect(const Rect& r, Colour c) {
    if (r.right <= r.left || r.bottom <= r.top) {
        return;
    }
    const Span rows = clampSpan(r.top, r.bottom, image_.height());
    const Span cols = clampSpan(r.left, r.right, image_.width());
    if (rows.empty() || cols.empty()) {
        return;
    }
    const std::uint32_t argb = toArgb(c);
    uchar* bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    for (int y = rows.from; y < rows.to; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(bits + stride * y);
        std::fill(row + cols.from, row + cols.to, argb);
    }
}

void ImageSurface::frameRect(const Rect& r, Colour c) {
    if (r.right < r.left || r.bottom < r.top) {
        return;
    }
    const std::int64_t right = std::int64_t(r.right) - 1;
    const std::int64_t bottom = std::int64_t(r.bottom) - 1;
    vspan(r.left, r.top, r.bottom, c);
    vspan(right, r.top, r.bottom, c);
    hspan(r.top, r.left, r.right, c);
    hspan(bottom, r.left, r.right, c);
}

void ImageSurface::line(int x1, int y1, int x2, int y2, Colour c) {
    if (y1 == y2) {
        if (x2 > x1) {
            hspan(y1, x1, x2, c);
        } else if (x2 < x1) {
            hspan(y1, std::int64_t(x2) + 1, std::int64_t(x1) + 1, c);
        }
        return;
    }
    if (x1 == x2) {
        if (y2 > y1) {
            vspan(x1, y1, y2, c);
        } else {
            vspan(x1, std::int64_t(y2) + 1, std::int64_t(y1) + 1, c);
        }
        return;
    }
    slantedLine(x1, y1, x2, y2, c);
}

// The button never draws slanted lines; they are stepped along the longer axis and only
// the steps that land on the image are visited, so a far-off line costs nothing.
void ImageSurface::slantedLine(int x1, int y1, int x2, int y2, Colour c) {
    const std::int64_t dx = std::int64_t(x2) - x1;
    const std::int64_t dy = std::int64_t(y2) - y1;
    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t steps = alongX ? std::llabs(dx) : std::llabs(dy);
    const std::int64_t major0 = alongX ? x1 : y1;
    const int majorStep = (alongX ? dx : dy) > 0 ? 1 : -1;
    const std::int64_t size = alongX ? image_.width() : image_.height();
    std::int64_t kFirst = 0;
    std::int64_t kLast = steps - 1; // the end point is excluded
    if (majorStep > 0) {
        kFirst = std::max<std::int64_t>(kFirst, -major0);
        kLast = std::min<std::int64_t>(kLast, size - 1 - major0);
    } else {
        kFirst = std::max<std::int64_t>(kFirst, major0 - (size - 1));
        kLast = std::min<std::int64_t>(kLast, major0);
    }
    const double slope = double(alongX ? dy : dx) / double(steps);
    for (std::int64_t k = kFirst; k <= kLast; ++k) {
        const std::int64_t major = major0 + k * majorStep;
        const std::int64_t minor = (alongX ? y1 : x1) + std::llround(slope * double(k));
        if (alongX) {
            setPixel64(major, minor, c);
        } else {
            setPixel64(minor, major, c);
        }
    }
}

void ImageSurface::setPixel64(std::int64_t x, std::int64_t y, Colour c) {
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) {
        return;
    }
    reinterpret_cast<std::uint32_t*>(image_.scanLine(int(y)))[x] = toArgb(c);
}

void ImageSurface::setPixel(int x, int y, Colour c) {
    setPixel64(x, y, c);
}

void ImageSurface::invertDot(std::int64_t x, std::int64_t y) {
    // Every other pixel, on the checkerboard fixed to the image, so that the dots of
    // neighbouring edges line up.
    if (((x + y) & 1) != 0 || x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) {
        return;
    }
    reinterpret_cast<std::uint32_t*>(image_.scanLine(int(y)))[x] ^= 0x00FFFFFFu;
}

void ImageSurface::drawFocusRect(const Rect& r) {
    if (r.right <= r.left || r.bottom <= r.top) {
        return;
    }
    // Each pixel of the outline is visited exactly once, so two calls cancel out even where
    // edges coincide on a rectangle one pixel wide or high.
    const std::int64_t right = std::int64_t(r.right) - 1;
    const std::int64_t bottom = std::int64_t(r.bottom) - 1;
    const Span cols = clampSpan(r.left, right + 1, image_.width());
    for (int x = cols.from; x < cols.to; ++x) {
        invertDot(x, r.top);
        if (bottom != r.top) {
            invertDot(x, bottom);
        }
    }
    const Span rows = clampSpan(std::int64_t(r.top) + 1, bottom, image_.height());
    for (int y = rows.from; y < rows.to; ++y) {
        invertDot(r.left, y);
        if (right != r.left) {
            invertDot(right, y);
        }
    }
}

} // namespace korven::host
