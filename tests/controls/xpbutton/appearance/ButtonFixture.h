#pragma once

#include "controls/xpbutton/appearance/ButtonState.h"
#include "controls/xpbutton/appearance/DrawButton.h"
#include "controls/xpbutton/appearance/Palette.h"
#include "host/surface/ImageSurface.h"

#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <ostream>
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

// The fixed grey palette by name, for pixels checked one by one.
inline constexpr Colour kF = 0xC0C0C0, kL = 0xDFDFDF, kW = 0xFFFFFF, kS = 0x808080, kK = 0x000000;

// What a case changes on a fresh TestButton before drawing.
struct Setup {
    VbBool enabled = kTrue;
    VbBool focus = kFalse;
    VbBool asDefault = kFalse; // the container shows the button as its default one
    std::int32_t scheme = 3;
    Colour backColor = 0; // face colour of scheme 2
};

inline void Apply(const Setup& setup, TestButton& b) {
    b.state.Enabled = setup.enabled;
    b.state.HasFocus = setup.focus;
    b.surface.setDisplayAsDefault(setup.asDefault);
    if (setup.scheme == 2) {
        b.state.BackColor = setup.backColor;
        LoadPalette(b.state);
    }
}

// A block of pixels written as palette letters (GreyKey), with its top-left at (x, y).
struct Grid {
    int x, y;
    std::vector<std::string> rows;
};

// A rectangle of pixels of one colour; a single pixel unless a size is given.
struct Fill {
    int x, y;
    Colour colour;
    int width = 1, height = 1;
};

// One look drawn once: the button, its set-up and what its pixels must be.
struct LookCase {
    const char* name;
    std::int32_t type;
    int width, height;
    std::uint8_t variant = Normal;
    Setup setup = {};
    std::vector<Grid> grids = {};
    std::vector<Fill> fills = {};
    std::optional<Colour> captionColour = {}; // the surface's text colour after drawing
};

inline void PrintTo(const LookCase& c, std::ostream* out) {
    *out << c.name;
}

inline std::string CaseName(const ::testing::TestParamInfo<LookCase>& info) {
    return info.param.name;
}

inline void ExpectLook(const LookCase& c) {
    TestButton b(c.type, c.width, c.height, c.setup.scheme);
    Apply(c.setup, b);
    b.draw(c.variant);
    for (std::size_t i = 0; i < c.grids.size(); ++i) {
        const Grid& g = c.grids[i];
        ExpectGrid(b.surface, g.x, g.y, g.rows, GreyKey(), c.name + std::to_string(i));
    }
    for (const Fill& f : c.fills) {
        for (int y = f.y; y < f.y + f.height; ++y) {
            for (int x = f.x; x < f.x + f.width; ++x) {
                EXPECT_EQ(b.at(x, y), f.colour) << "at (" << x << ", " << y << ")";
            }
        }
    }
    if (c.captionColour) {
        EXPECT_EQ(b.surface.textColour(), *c.captionColour);
    }
}

} // namespace korven::xpbutton::testing
