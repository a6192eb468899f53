#include <QApplication>
#include <benchmark/benchmark.h>

// Fonts and widgets need an application object; the benchmarks run on the offscreen platform
// unless the caller chose another. A benchmark built with KORVEN_BENCH_SCALE_FACTOR runs at
// that scale (a high-density screen) unless the caller set QT_SCALE_FACTOR.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
#ifdef KORVEN_BENCH_SCALE_FACTOR
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) {
        qputenv("QT_SCALE_FACTOR", KORVEN_BENCH_SCALE_FACTOR);
    }
#endif
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
