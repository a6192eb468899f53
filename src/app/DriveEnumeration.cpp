#include "app/DriveEnumeration.h"

#include <algorithm>
#include <limits>

namespace korven::app {

void DriveRootList::Add(const QString& root) {
    if (keys_.contains(root))
        return;
    keys_.insert(root);
    items_.append(root);
}

std::int16_t EnumerateDrives(DriveRootList& list, host::DriveSource& source) {
    list = DriveRootList();
    for (const QString& root : source.Roots())
        list.Add(root);
    return static_cast<std::int16_t>(
        std::min<int>(list.Count(), std::numeric_limits<std::int16_t>::max()));
}

bool PollDriveCount(ConversionSettings& settings, host::DriveSource& source) {
    DriveRootList roots;
    settings.CurrentDriveCount = EnumerateDrives(roots, source);
    if (settings.CurrentDriveCount == settings.KnownDriveCount)
        return false;
    settings.KnownDriveCount = settings.CurrentDriveCount;
    return true;
}

} // namespace korven::app
