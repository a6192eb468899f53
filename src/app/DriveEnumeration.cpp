#include "app/DriveEnumeration.h"

#include <QDir>
#include <QFileInfo>
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

std::vector<host::FolderDrive> EmulatorMemorySticks() {
    const QString home = QDir::homePath();
    QString config = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    // The base directory rules ignore a relative value.
    if (config.isEmpty() || QDir::isRelativePath(config))
        config = home + QStringLiteral("/.config");
    const struct {
        QString root;
        const char* label;
    } places[] = {
        {config + QStringLiteral("/ppsspp"), "emulator memory stick"},
        {home + QStringLiteral("/.var/app/org.ppsspp.PPSSPP/config/ppsspp"),
         "emulator memory stick, Flatpak"},
    };
    std::vector<host::FolderDrive> sticks;
    for (const auto& place : places) {
        const QString root = QDir::cleanPath(place.root);
        if (!QFileInfo(root).isDir())
            continue;
        if (std::any_of(sticks.begin(), sticks.end(),
                        [&](const host::FolderDrive& d) { return d.root == root; }))
            continue;
        sticks.push_back({root, QString::fromLatin1(place.label),
                          root + QLatin1Char('/') + kEmulatorFontFolder});
    }
    return sticks;
}

QStringList DestinationDriveSource::Roots() {
    QStringList roots = volumes_.Roots();
    // A failed read of the volumes stays a failed read: the sticks alone are not a machine.
    if (roots.isEmpty())
        return roots;
    for (const host::FolderDrive& stick : EmulatorMemorySticks())
        roots.append(stick.root);
    return roots;
}

std::vector<host::FolderDrive> DestinationDriveSource::FolderDrives() {
    return EmulatorMemorySticks();
}

} // namespace korven::app
