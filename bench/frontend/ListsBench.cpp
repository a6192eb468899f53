#include "app/DriveEnumeration.h"
#include "host/seams/DriveSource.h"
#include "host/seams/FolderReader.h"
#include "host/toolkit/DirListBox.h"
#include "host/toolkit/FileListBox.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace korven;

// One tick of the drive poll on this machine's real mount table.
void BM_DrivePollTick(benchmark::State& state) {
    host::SystemDriveSource drives;
    app::ConversionSettings settings;
    app::DriveRootList roots;
    settings.KnownDriveCount = app::EnumerateDrives(roots, drives);
    for (auto _ : state) {
        const bool changed = app::PollDriveCount(settings, drives);
        benchmark::DoNotOptimize(changed);
    }
}
BENCHMARK(BM_DrivePollTick)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// A folder of 10,000 files of which 1,000 are fonts, refreshed in a "*.ttf" list.
void BM_FileListRefresh10000(benchmark::State& state) {
    QTemporaryDir dir;
    for (int i = 0; i < 10000; ++i) {
        const QString name = i % 10 == 0 ? QStringLiteral("font %1.ttf").arg(i)
                                         : QStringLiteral("other %1.txt").arg(i);
        QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
    }
    host::SystemFolderReader folders;
    host::FileListBox list(folders);
    list.SetPattern(QStringLiteral("*.ttf"));
    list.SetPath(dir.path());
    if (list.count() != 1000)
        state.SkipWithError("wrong number of fonts listed");
    for (auto _ : state)
        list.Refresh();
}
BENCHMARK(BM_FileListRefresh10000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// Opening a folder that holds 1,000 subfolders.
void BM_FolderListOpen1000(benchmark::State& state) {
    QTemporaryDir dir;
    const QString big = dir.filePath(QStringLiteral("big"));
    for (int i = 0; i < 1000; ++i)
        QDir().mkpath(big + QStringLiteral("/folder %1").arg(i));
    host::SystemDriveSource drives;
    host::SystemFolderReader folders;
    host::DirListBox list(drives, folders);
    for (auto _ : state) {
        state.PauseTiming();
        list.SetPath(dir.path());
        state.ResumeTiming();
        list.SetPath(big);
    }
    if (list.Subfolders().size() != 1000)
        state.SkipWithError("wrong number of folders listed");
}
BENCHMARK(BM_FolderListOpen1000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

} // namespace
