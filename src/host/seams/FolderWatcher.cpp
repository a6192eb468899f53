#include "host/seams/FolderWatcher.h"

namespace korven::host {

namespace {
// Long enough to gather a copy of many files into one re-read, short enough to feel at once.
constexpr int kSettleMilliseconds = 150;
} // namespace

FolderWatcher::FolderWatcher(QObject* parent) : QObject(parent) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMilliseconds);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, &settle_,
            qOverload<>(&QTimer::start));
    connect(&settle_, &QTimer::timeout, this, &FolderWatcher::Changed);
}

void FolderWatcher::Watch(const QString& folder) {
    // A folder that went away drops out of the watch by itself; it is asked for again, so
    // that it is watched once it is back.
    if (folder == folder_ && watcher_.directories().contains(folder))
        return;
    if (!watcher_.directories().isEmpty())
        watcher_.removePaths(watcher_.directories());
    folder_ = folder;
    if (!folder.isEmpty())
        watcher_.addPath(folder);
}

} // namespace korven::host
