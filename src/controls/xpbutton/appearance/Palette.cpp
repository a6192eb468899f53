#include "controls/xpbutton/appearance/Palette.h"

#include "controls/xpbutton/appearance/Arithmetic.h"
#include "host/surface/SystemColours.h"

namespace korven::xpbutton {

Colour OffsetColor(Colour color, std::int32_t offset) {
    // Signed, truncating arithmetic on purpose: see the header.
    const auto c = static_cast<std::int32_t>(color);
    const std::int64_t red = ClampChannel(std::int64_t(c & 0xFF) + offset);
    const std::int64_t green = ClampChannel(std::int64_t((c / 256) % 256) + offset);
    const std::int64_t blue = ClampChannel(std::int64_t((c / 65536) % 256) + offset);
    return static_cast<Colour>(red + 256 * green + 65536 * blue);
}

void LoadPalette(ButtonState& s, SysColorSource sysColor) {
    if (sysColor == nullptr) {
        sysColor = &host::GetSysColor;
    }
    switch (s.ColorScheme) {
    case 2:
        // Custom: every shade is an offset of BackColor.
        s.TextColor = s.ForeColor;
        s.FaceColor = s.BackColor;
        s.ShadowColor = OffsetColor(s.BackColor, -64);
        s.LightColor = OffsetColor(s.FaceColor, +31);
        s.HighlightColor = OffsetColor(s.FaceColor, +47);
        s.DarkShadowColor = OffsetColor(s.FaceColor, -192);
        break;
    case 3:
        s.FaceColor = 0xC0C0C0;
        s.ShadowColor = 0x808080;
        s.LightColor = 0xDFDFDF;
        s.HighlightColor = 0xFFFFFF;
        s.DarkShadowColor = 0x000000;
        s.TextColor = 0x000000;
        break;
    default:
        s.FaceColor = sysColor(host::COLOR_BTNFACE);
        s.ShadowColor = sysColor(host::COLOR_BTNSHADOW);
        s.LightColor = sysColor(host::COLOR_3DLIGHT);
        s.HighlightColor = sysColor(host::COLOR_BTNHIGHLIGHT);
        s.DarkShadowColor = sysColor(host::COLOR_3DDKSHADOW);
        s.TextColor = sysColor(host::COLOR_BTNTEXT);
        break;
    }
}

} // namespace korven::xpbutton
