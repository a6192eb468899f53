#pragma once

#include "app/ConversionSettings.h"
#include "host/seams/DriveSource.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <cstdint>

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

} // namespace korven::app
