#include "forms/preview/frmPreview.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <benchmark/benchmark.h>

using korven::forms::frmPreview;

namespace {

korven::app::ConversionSettings DejaVuSans(const char* size) {
    korven::app::ConversionSettings s;
    s.SourceFolder = QStringLiteral("/usr/share/fonts/truetype/dejavu");
    s.FontFile = QStringLiteral("/DejaVuSans.ttf");
    s.FontSize = QString::fromLatin1(size);
    s.ShadowValue = QStringLiteral("4.0");
    return s;
}

// Until the window has painted what it was told.
void Repaint(frmPreview* window) {
    window->CanvasView()->repaint();
}

// Each round changes the size between 21 and 22, so every round converts, and waits for the
// redrawn canvas; the window is closed afterwards.
void TimeSizeChanges(benchmark::State& state, frmPreview* window) {
    QApplication::processEvents();
    bool at22 = false;
    for (auto _ : state) {
        at22 = !at22;
        window->Follow(DejaVuSans(at22 ? "22" : "21"));
        Repaint(window);
    }
    window->close();
    QApplication::processEvents();
}

// From a size change to the redrawn canvas, DejaVu Sans at 22 with shadow 4.0. Each round
// comes from 21, so every round converts.
void BM_SizeChange(benchmark::State& state) {
    frmPreview* window = frmPreview::ShowModeless(DejaVuSans("21"));
    window->UserLine()->setText(QStringLiteral("The handheld's own line"));
    TimeSizeChanges(state, window);
}
BENCHMARK(BM_SizeChange)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// One character typed into the user's line, to the redrawn canvas.
void BM_TypedCharacter(benchmark::State& state) {
    frmPreview* window = frmPreview::ShowModeless(DejaVuSans("22"));
    QApplication::processEvents();
    QString line = QStringLiteral("Typing ");
    for (auto _ : state) {
        line += QLatin1Char(line.size() % 40 == 0 ? ' ' : 'a' + line.size() % 26);
        if (line.size() > 40)
            line = QStringLiteral("Typing ");
        window->UserLine()->setText(line);
        Repaint(window);
    }
    window->close();
    QApplication::processEvents();
}
BENCHMARK(BM_TypedCharacter)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// From a size change to the redrawn canvas while PREVIEW shows a file of the whole set:
// the bold small file, whose family face is looked up and converted at the new size.
void BM_SetFileSizeChange(benchmark::State& state) {
    frmPreview* window = frmPreview::ShowModeless(DejaVuSans("21"));
    constexpr int kBoldSmallSansSerif = 12;
    window->SetFile()->setCurrentIndex(window->SetFile()->findData(kBoldSmallSansSerif));
    window->SetFile_Click();
    TimeSizeChanges(state, window);
}
BENCHMARK(BM_SetFileSizeChange)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

} // namespace

namespace {

// Noto Sans CJK, the picked font for jpn0.pgf: its Japanese face is taken.
korven::app::ConversionSettings NotoSansCjk(const char* size) {
    korven::app::ConversionSettings s;
    s.SourceFolder = QStringLiteral("/usr/share/fonts/opentype/noto");
    s.FontFile = QStringLiteral("/NotoSansCJK-Regular.ttc");
    s.FontSize = QString::fromLatin1(size);
    s.ShadowValue = QStringLiteral("2");
    return s;
}

// PREVIEW showing jpn0.pgf, made and drawn once.
frmPreview* ShowJpn0() {
    frmPreview* window = frmPreview::ShowModeless(NotoSansCjk("18"));
    window->UserLine()->setText(QStringLiteral("The handheld's own line"));
    window->SetFile()->setCurrentIndex(
        window->SetFile()->findData(korven::preview::kFirstScriptFile));
    window->SetFile_Click();
    while (window->Making())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return window;
}

// From a size change to jpn0.pgf made on the other thread and drawn: Noto Sans CJK JP, 7,161
// glyphs, each round between 17 and 18 so that every round converts.
void BM_Jpn0SizeChange(benchmark::State& state) {
    frmPreview* window = ShowJpn0();
    bool at17 = false;
    for (auto _ : state) {
        at17 = !at17;
        window->Follow(NotoSansCjk(at17 ? "17" : "18"));
        while (window->Making())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        Repaint(window);
    }
    window->close();
    QApplication::processEvents();
}
BENCHMARK(BM_Jpn0SizeChange)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(4)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

// The window's own work for jpn0.pgf once the file is made: the whole canvas, the counts and
// the characters left out, as when the made file arrives (here the kept one, shown again).
void BM_Jpn0Redraw(benchmark::State& state) {
    frmPreview* window = ShowJpn0();
    for (auto _ : state) {
        window->Follow(NotoSansCjk("18"));
        Repaint(window);
    }
    window->close();
    QApplication::processEvents();
}
BENCHMARK(BM_Jpn0Redraw)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// One character typed while jpn0.pgf is shown, to the redrawn canvas.
void BM_Jpn0TypedCharacter(benchmark::State& state) {
    frmPreview* window = ShowJpn0();
    QString line = QString::fromUtf8("日本語 ");
    for (auto _ : state) {
        line += QChar(static_cast<char16_t>(0x3042 + line.size() % 40));
        if (line.size() > 30)
            line = QString::fromUtf8("日本語 ");
        window->UserLine()->setText(line);
        Repaint(window);
    }
    window->close();
    QApplication::processEvents();
}
BENCHMARK(BM_Jpn0TypedCharacter)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

} // namespace
