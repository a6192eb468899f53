#include "controls/xpbutton/appearance/Outline.h"

#include "controls/xpbutton/appearance/Arithmetic.h"

namespace korven::xpbutton {

namespace {

// One pixel, or with width 2 the pixel and its right neighbour.
Rect cell(std::int64_t x, std::int64_t y, std::int64_t width = 1) {
    return {sat(x), sat(y), sat(x + width), sat(y + 1)};
}

} // namespace

host::Region OutlineFor(std::int32_t type, std::int32_t width, std::int32_t height) {
    const std::int64_t w = width;
    const std::int64_t h = height;
    host::Region region = host::Region::rectangle({0, 0, width, height});
    switch (type) {
    case 1:
        region.subtract(cell(0, 0));
        region.subtract(cell(0, h - 1));
        region.subtract(cell(w - 1, 0));
        region.subtract(cell(w - 1, h - 1));
        break;
    case 3:
    case 4:
        region.subtract(cell(0, 0, 2));
        region.subtract(cell(0, 1));
        region.subtract(cell(0, h - 1, 2));
        region.subtract(cell(0, h - 2));
        region.subtract(cell(w - 2, 0, 2));
        region.subtract(cell(w - 1, 1));
        region.subtract(cell(w - 2, h - 1, 2));
        region.subtract(cell(w - 1, h - 2));
        break;
    case 5:
        region.subtract(cell(0, h - 1));
        region.subtract(cell(w - 1, 0));
        break;
    default:
        break;
    }
    return region;
}

void BuildOutline(ButtonState& state) {
    state.OutlineRegion = OutlineFor(state.ButtonType, state.ButtonWidth, state.ButtonHeight);
}

} // namespace korven::xpbutton
