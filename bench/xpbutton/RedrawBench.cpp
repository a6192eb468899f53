// The cost of the button's redraws: a forced one (every property write, focus change and
// click) and the skipped one that every mouse move over the button pays.
#include "controls/xpbutton/appearance/AccessKey.h"
#include "controls/xpbutton/appearance/DrawButton.h"
#include "controls/xpbutton/appearance/Outline.h"
#include "controls/xpbutton/appearance/Palette.h"
#include "host/surface/ImageSurface.h"

#include <benchmark/benchmark.h>

namespace {

using namespace korven::xpbutton;

// The main window's Convert button: type 3, 105 x 33, scheme 1, bold 8.25 pt caption.
struct ConvertButton {
    korven::host::ImageSurface surface{105, 33};
    ButtonState state = CreateButtonState(surface);

    ConvertButton() {
        state.ButtonType = 3;
        state.ColorScheme = 1;
        state.BackColor = 0x00E3DFE0;
        state.ForeColor = 0;
        state.Caption = QStringLiteral("&Convert Font");
        QFont font(QStringLiteral("Sans Serif"));
        font.setPointSizeF(8.25);
        font.setBold(true);
        state.Font = font;
        surface.setFont(font);
        LoadPalette(state);
        UpdateAccessKey(state, surface);
        SetButtonSize(state, 105, 33);
        BuildOutline(state);
        surface.setWindowOutline(*state.OutlineRegion);
        DrawButton(state, surface, Normal, true);
    }
};

void BM_ForcedRedraw(benchmark::State& st) {
    ConvertButton b;
    for (auto _ : st) {
        DrawButton(b.state, b.surface, Normal, true);
        benchmark::DoNotOptimize(b.surface.image().constBits());
    }
}
BENCHMARK(BM_ForcedRedraw);

void BM_ForcedRedrawPressed(benchmark::State& st) {
    ConvertButton b;
    b.state.HasFocus = kTrue;
    for (auto _ : st) {
        DrawButton(b.state, b.surface, Pressed, true);
        benchmark::DoNotOptimize(b.surface.image().constBits());
    }
}
BENCHMARK(BM_ForcedRedrawPressed);

void BM_SkippedRedraw(benchmark::State& st) {
    ConvertButton b;
    for (auto _ : st) {
        DrawButton(b.state, b.surface, Normal, false);
        benchmark::DoNotOptimize(b.state.DrawnState);
    }
}
BENCHMARK(BM_SkippedRedraw);

} // namespace

namespace {
void BM_ForcedRedrawNoCaption(benchmark::State& st) {
    ConvertButton b;
    b.state.Caption.clear();
    for (auto _ : st) {
        DrawButton(b.state, b.surface, Normal, true);
        benchmark::DoNotOptimize(b.surface.image().constBits());
    }
}
BENCHMARK(BM_ForcedRedrawNoCaption);
} // namespace
