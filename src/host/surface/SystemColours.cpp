#include "host/surface/SystemColours.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <QGuiApplication>
#include <QPalette>
#endif

namespace korven::host {

#ifdef _WIN32

Colour GetSysColor(int index) {
    return static_cast<Colour>(::GetSysColor(index));
}

#else

namespace {

Colour fromQColor(const QColor& c) {
    return rgb(c.red(), c.green(), c.blue());
}

// The classic light shade sits halfway between the face and the highlight (0xC0 and 0xFF
// give 0xDF). The toolkit's own in-between shade may be darker than the face, which would
// turn raised edges into sunken ones.
Colour halfway(const QColor& a, const QColor& b) {
    return rgb((a.red() + b.red() + 1) / 2, (a.green() + b.green() + 1) / 2,
               (a.blue() + b.blue() + 1) / 2);
}

} // namespace

Colour GetSysColor(int index) {
    // Read the palette each time: the desktop's colours may change while the program runs.
    const QPalette palette = QCoreApplication::instance() ? QGuiApplication::palette() : QPalette();
    switch (index) {
    case COLOR_WINDOW:
        return fromQColor(palette.color(QPalette::Active, QPalette::Base));
    case COLOR_WINDOWTEXT:
        return fromQColor(palette.color(QPalette::Active, QPalette::Text));
    case COLOR_BTNFACE:
        return fromQColor(palette.color(QPalette::Active, QPalette::Button));
    case COLOR_BTNSHADOW:
        return fromQColor(palette.color(QPalette::Active, QPalette::Dark));
    case COLOR_BTNTEXT:
        return fromQColor(palette.color(QPalette::Active, QPalette::ButtonText));
    case COLOR_BTNHIGHLIGHT:
        return fromQColor(palette.color(QPalette::Active, QPalette::Light));
    case COLOR_3DDKSHADOW:
        return fromQColor(palette.color(QPalette::Active, QPalette::Shadow));
    case COLOR_3DLIGHT:
        return halfway(palette.color(QPalette::Active, QPalette::Button),
                       palette.color(QPalette::Active, QPalette::Light));
    default:
        return 0;
    }
}

#endif

} // namespace korven::host
