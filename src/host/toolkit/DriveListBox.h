#pragma once

#include "host/seams/DriveSource.h"

#include <QComboBox>
#include <QString>
#include <QStringList>

namespace korven::host {

// A drop-down of the volume roots with one current drive. Change() is raised when the
// current drive is picked by the user (and differs from the one shown) and on every
// assignment through SetDrive, even of the drive already shown, so that the folder list
// behind it is always set at least once.
class DriveListBox : public QComboBox {
    Q_OBJECT
public:
    // Starts on the drive of the current directory. `drives` must outlive the control.
    explicit DriveListBox(DriveSource& drives, QWidget* parent = nullptr);

    // The current drive's root.
    QString Drive() const { return drive_; }
    // Reads the roots again, then makes the drive of `path` (a root or any folder on it)
    // current and raises Change(). When no root holds `path`, the current drive stays and
    // false is returned.
    bool SetDrive(const QString& path);

    // Reads the roots again. The current drive stays when it is still present; when it has
    // gone, the drive of "/" becomes current and Change() is raised.
    void Refresh();

    QStringList Drives() const { return roots_; }

signals:
    void Change();

private:
    void Fill();
    void OnActivated(int index);

    DriveSource& source_;
    QStringList roots_;
    QString drive_;
    bool filling_ = false;
};

} // namespace korven::host
