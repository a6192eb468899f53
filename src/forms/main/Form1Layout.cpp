#include "forms/main/Form1Layout.h"

namespace korven::forms::layout {

QRect ToPixels(const TwipsRect& r) {
    return QRect(ToPixels(r.left), ToPixels(r.top), ToPixels(r.width), ToPixels(r.height));
}

QColor FromBgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

} // namespace korven::forms::layout
