#include "ButtonRender.h"

#include <QPainter>
#include <array>

namespace korven::xpbutton::render {

namespace {

constexpr int kButtonWidth = 105; // the main window's Convert button
constexpr int kButtonHeight = 33;
constexpr int kGap = 10;
constexpr int kLabelWidth = 70;
constexpr int kHeaderHeight = 22;

struct Column {
    const char* label;
    std::uint8_t state;
    bool disabled;
    bool focused;
    bool asDefault;
};

constexpr std::array<Column, 7> kColumns{{
    {"normal", 0, false, false, false},
    {"normal, focus", 0, false, true, false},
    {"pressed", 2, false, false, false},
    {"pressed, focus", 2, false, true, false},
    {"disabled", 0, true, false, false},
    {"disabled, focus", 0, true, true, false},
    {"default, focus", 0, false, true, true},
}};

struct Scheme {
    const char* label;
    std::int32_t scheme;
    host::Colour back;
};

constexpr std::array<Scheme, 3> kSchemes{{
    {"scheme 1: system colours", 1, 0},
    {"scheme 2: custom 0xE3DFE0", 2, 0xE3DFE0},
    {"scheme 3: fixed grey", 3, 0},
}};

int blockHeight() {
    return kHeaderHeight * 2 + 7 * (kButtonHeight + kGap);
}

} // namespace

QImage RenderContactSheet() {
    const int width = kLabelWidth + int(kColumns.size()) * (kButtonWidth + kGap) + kGap;
    const int height = int(kSchemes.size()) * blockHeight() + kGap;
    QImage sheet(width, height, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);

    for (std::size_t si = 0; si < kSchemes.size(); ++si) {
        const Scheme& scheme = kSchemes[si];
        const int top = int(si) * blockHeight() + kGap;
        painter.setPen(Qt::black);
        painter.drawText(QRect(kGap, top, width, kHeaderHeight), Qt::AlignVCenter,
                         QString::fromLatin1(scheme.label));
        for (std::size_t ci = 0; ci < kColumns.size(); ++ci) {
            const int x = kLabelWidth + int(ci) * (kButtonWidth + kGap);
            painter.drawText(QRect(x, top + kHeaderHeight, kButtonWidth, kHeaderHeight),
                             Qt::AlignCenter, QString::fromLatin1(kColumns[ci].label));
        }
        for (int type = 1; type <= 7; ++type) {
            const int y = top + 2 * kHeaderHeight + (type - 1) * (kButtonHeight + kGap);
            painter.drawText(QRect(kGap, y, kLabelWidth - kGap, kButtonHeight), Qt::AlignVCenter,
                             QStringLiteral("type %1").arg(type));
            for (std::size_t ci = 0; ci < kColumns.size(); ++ci) {
                const Column& c = kColumns[ci];
                ButtonOptions o;
                o.type = type;
                o.scheme = scheme.scheme;
                o.width = kButtonWidth;
                o.height = kButtonHeight;
                o.state = c.state;
                o.disabled = c.disabled;
                o.focused = c.focused;
                o.asDefault = c.asDefault;
                if (scheme.scheme == 2) {
                    o.back = scheme.back;
                    o.fore = 0;
                }
                o.caption = QStringLiteral("&Convert Font");
                o.mask = true; // cut corners show the sheet behind them, as on screen
                painter.drawImage(kLabelWidth + int(ci) * (kButtonWidth + kGap), y,
                                  RenderButton(o));
            }
        }
    }
    return sheet;
}

} // namespace korven::xpbutton::render
