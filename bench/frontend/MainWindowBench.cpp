#include "forms/main/Form1.h"
#include "host/seams/Timer.h"
#include "host/toolkit/HostServices.h"

#include <QApplication>
#include <QDir>
#include <benchmark/benchmark.h>

namespace {

using namespace korven;

// Loading the main window (controls, load step, first folder reads) and showing it until
// the first paint has been handled, on the real machine services.
void BM_MainWindowLoadAndFirstShow(benchmark::State& state) {
    const QString cwd = QDir::currentPath();
    for (auto _ : state) {
        auto* form = new forms::Form1(host::HostServices::Real());
        form->show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(form->Client()->isVisible());
        state.PauseTiming();
        delete form;
        QCoreApplication::processEvents();
        QDir::setCurrent(cwd);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MainWindowLoadAndFirstShow)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// One tick of the main window's drive poll, handler included, on the real mount table.
void BM_MainWindowDrivePollTick(benchmark::State& state) {
    const QString cwd = QDir::currentPath();
    forms::Form1 form(host::HostServices::Real());
    for (auto _ : state) {
        form.Timer1_Timer(form.Timer1()->Index());
    }
    QDir::setCurrent(cwd);
}
BENCHMARK(BM_MainWindowDrivePollTick)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

} // namespace
