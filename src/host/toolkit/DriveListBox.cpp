#include "host/toolkit/DriveListBox.h"

#include "host/seams/HostOperations.h"

#include <QDir>

namespace korven::host {

DriveListBox::DriveListBox(DriveSource& drives, QWidget* parent)
    : QComboBox(parent), source_(drives) {
    setEditable(false);
    roots_ = source_.Roots();
    folderDrives_ = source_.FolderDrives();
    drive_ = DriveOfPath(QDir::currentPath(), roots_);
    if (drive_.isEmpty() && !roots_.isEmpty())
        drive_ = roots_.first();
    Fill();
    connect(this, &QComboBox::activated, this, &DriveListBox::OnActivated);
}

void DriveListBox::Fill() {
    filling_ = true;
    clear();
    for (const QString& root : roots_) {
        // A folder offered as a drive shows as a volume with a label does: its name, then
        // what it is in brackets; its whole path is the item's tip.
        if (const FolderDrive* folder = FindFolderDrive(folderDrives_, root)) {
            addItem(QStringLiteral("%1 [%2]").arg(GetFileName(root), folder->label), root);
            setItemData(count() - 1, QDir::toNativeSeparators(root), Qt::ToolTipRole);
        } else {
            addItem(QDir::toNativeSeparators(root), root);
        }
    }
    setCurrentIndex(static_cast<int>(roots_.indexOf(drive_)));
    filling_ = false;
}

bool DriveListBox::SetDrive(const QString& path) {
    // Read the roots again: the path may lie on a volume mounted since the last refresh,
    // deeper than one already listed.
    ReadRoots();
    const QString drive = DriveOfPath(path, roots_);
    if (drive.isEmpty()) {
        Fill();
        return false;
    }
    drive_ = drive;
    Fill();
    emit Change();
    return true;
}

void DriveListBox::Refresh() {
    ReadRoots();
    const bool driveGone = !roots_.contains(drive_);
    if (driveGone) {
        drive_ = DriveOfPath(QDir::rootPath(), roots_);
        if (drive_.isEmpty() && !roots_.isEmpty())
            drive_ = roots_.first();
    }
    Fill();
    if (driveGone)
        emit Change();
}

void DriveListBox::ReadRoots() {
    const QStringList fresh = source_.Roots();
    // A failed enumeration says nothing about the drives; keep showing the last good list.
    if (!fresh.isEmpty()) {
        roots_ = fresh;
        folderDrives_ = source_.FolderDrives();
    }
}

void DriveListBox::OnActivated(int index) {
    if (filling_ || index < 0)
        return;
    const QString picked = itemData(index).toString();
    if (picked == drive_)
        return;
    drive_ = picked;
    emit Change();
}

} // namespace korven::host
