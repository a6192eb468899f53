#include "ButtonRender.h"

#include "controls/xpbutton/appearance/AccessKey.h"
#include "controls/xpbutton/appearance/DrawButton.h"
#include "controls/xpbutton/appearance/Outline.h"
#include "controls/xpbutton/appearance/Palette.h"
#include "host/surface/ImageSurface.h"

namespace korven::xpbutton::render {

QImage RenderButton(const ButtonOptions& o) {
    host::ImageSurface surface(o.width, o.height);

    // A new button's state, given the requested properties.
    ButtonState s = CreateButtonState(surface);
    s.ButtonType = o.type;
    s.ColorScheme = o.scheme;
    if (o.back) {
        s.BackColor = *o.back;
    }
    if (o.fore) {
        s.ForeColor = *o.fore;
    }
    s.Caption = o.caption;
    s.Enabled = o.disabled ? kFalse : kTrue;
    s.ShowFocusRect = o.showFocus ? kTrue : kFalse;
    LoadPalette(s);
    UpdateAccessKey(s, surface);
    surface.setFont(s.Font);
    surface.setEnabled(s.Enabled == kTrue);

    SetButtonSize(s, o.width, o.height);
    BuildOutline(s);
    surface.setWindowOutline(*s.OutlineRegion);
    s.HasFocus = o.focused ? kTrue : kFalse;
    surface.setDisplayAsDefault(o.asDefault ? kTrue : kFalse);

    DrawButton(s, surface, o.state, true);

    if (!o.mask) {
        return surface.image().convertToFormat(QImage::Format_RGB888);
    }
    QImage out = surface.image().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if (!s.OutlineRegion->contains(x, y)) {
                row[x] = 0;
            }
        }
    }
    return out;
}

} // namespace korven::xpbutton::render
