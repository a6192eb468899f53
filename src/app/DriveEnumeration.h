#pragma once

#include "app/ConversionSettings.h"
#include "host/seams/DriveSource.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace korven::app {

// An ordered list of drive roots, each kept under its own text as key; a root already in
// the list is not added twice.
class DriveRootList {
public:
    void Add(const QString& root);
    int Count() const { return static_cast<int>(items_.size()); }
    const QStringList& Items() const { return items_; }

private:
    QStringList items_;
    QSet<QString> keys_;
};

// Replaces `list` with a new list of the drive roots that `source` reports and returns how
// many there are, at most the 16-bit limit; 0 when the source fails.
std::int16_t EnumerateDrives(DriveRootList& list, host::DriveSource& source);

// One polling step: counts the drives into CurrentDriveCount and, when the count differs
// from KnownDriveCount, takes it as known and returns true: the caller then refreshes the
// destination drive list.
bool PollDriveCount(ConversionSettings& settings, host::DriveSource& source);

// The emulator loads a replacement system font file by file from this folder of its memory
// stick: an ltn4.pgf there replaces only its own ltn4.pgf.
inline const QString kEmulatorFontFolder = QStringLiteral("PSP/flash0/font");

// The emulator's memory sticks that exist on this machine, as drives of their own that open
// at their font folder: the folder "ppsspp" under $XDG_CONFIG_HOME (~/.config when that is
// unset or not absolute) and the one its Flatpak keeps under ~/.var/app. Read from the
// environment on every call, so that a stick made while the window is open is offered.
std::vector<host::FolderDrive> EmulatorMemorySticks();

// The destination pane's drives: the machine's volumes from `volumes`, then the emulator's
// memory sticks.
class DestinationDriveSource final : public host::DriveSource {
public:
    explicit DestinationDriveSource(host::DriveSource& volumes) : volumes_(volumes) {}

    QStringList Roots() override;
    std::vector<host::FolderDrive> FolderDrives() override;

private:
    host::DriveSource& volumes_;
};

} // namespace korven::app
