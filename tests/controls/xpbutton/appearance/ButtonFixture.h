#pragma once

#include "controls/xpbutton/appearance/ButtonState.h"
#include "controls/xpbutton/appearance/DrawButton.h"
#include "controls/xpbutton/appearance/Palette.h"
#include "host/surface/ImageSurface.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace korven::xpbutton::testing {

// A button of the given type and size on an image surface, enabled, not focused, with an
// empty caption so that no glyph (which varies with the installed fonts) reaches a pixel.
struct TestButton {
    host::ImageSurface surface;
    ButtonState state;

    TestButton(std::int32_t type, int width, int height, std::int32_t scheme = 3)
        : surface(width, height), state(CreateButtonState(surface)) {
        state.ButtonType = type;
        state.ColorScheme = scheme;
        LoadPalette(state);
        SetButtonSize(state, width, height);
    }

    void draw(std::uint8_t variant) { DrawButton(state, surface, variant, true); }
    Colour at(int x, int y) const { return surface.pixel(x, y); }
};

// The fixed grey palette by letter, as the pixel grids are written.
inline std::map<char, Colour> GreyKey() {
    return {{'F', 0xC0C0C0}, {'L', 0xDFDFDF}, {'W', 0xFFFFFF}, {'S', 0x808080}, {'K', 0x000000}};
}

// Compares the block of the image whose top-left pixel is (x0, y0) with a grid of letters.
// On a mismatch the actual grid is printed and the image is written beside the test binary
// as failed-<name>.png for a person to look at.
inline void ExpectGrid(const host::ImageSurface& s, int x0, int y0,
                       const std::vector<std::string>& rows, const std::map<char, Colour>& key,
                       const std::string& name) {
    std::string actual;
    bool same = true;
    for (std::size_t dy = 0; dy < rows.size(); ++dy) {
        for (std::size_t dx = 0; dx < rows[dy].size(); ++dx) {
            const Colour c = s.pixel(x0 + int(dx), y0 + int(dy));
            char letter = '?';
            for (const auto& [k, v] : key) {
                if (v == c) {
                    letter = k;
                }
            }
            actual += letter;
            same = same && letter == rows[dy][dx];
        }
        actual += '\n';
    }
    if (!same) {
        s.image().save(QString::fromStdString("failed-" + name + ".png"));
    }
    EXPECT_TRUE(same) << name << ": actual grid from (" << x0 << ", " << y0 << ")\n" << actual;
}

} // namespace korven::xpbutton::testing
