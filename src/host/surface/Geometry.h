#pragma once

#include <cstdint>

namespace korven::host {

// A rectangle in client pixels whose right and bottom edges are exclusive: {2, 2, 5, 4}
// covers columns 2 to 4 and rows 2 to 3.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    friend bool operator==(const Rect&, const Rect&) = default;
};

// Width and height of a text as the surface measures it, in pixels.
struct TextSize {
    float width = 0;
    float height = 0;
};

} // namespace korven::host
