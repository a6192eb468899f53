#pragma once

#include "host/seams/DriveSource.h"
#include "host/seams/FolderReader.h"
#include "host/seams/FolderWatcher.h"

#include <QListWidget>
#include <QString>
#include <QStringList>

namespace korven::host {

// A folder list: the current folder's ancestors from the root down to the folder itself,
// then its subfolders, indented like a tree. A double-click or Enter on an entry opens it.
// Change() is raised whenever Path() changes, by the user or by an assignment.
// The list follows the disk: subfolders created, renamed or removed appear and go by
// themselves, the highlighted entry and the scroll position kept, without a Change(); when
// the current folder itself goes, the nearest folder above it still there is shown.
class DirListBox : public QListWidget {
    Q_OBJECT
public:
    // `drives` and `folders` must outlive the control. It starts on the current directory.
    DirListBox(DriveSource& drives, FolderReader& folders, QWidget* parent = nullptr);

    // The current folder, without a trailing separator except at the root.
    QString Path() const { return path_; }

    // Shows `path`. On failure nothing changes (Path() and the entries stay) and the kind
    // of failure is returned; Change() is raised only on success.
    FolderError SetPath(const QString& path);

    // Shows the current folder of `drive` (a root from the drive list): the current
    // directory when it lies on that drive, otherwise the drive's root. A drive that is
    // no longer mounted fails with DeviceUnavailable.
    FolderError SetPathToDrive(const QString& drive);

    // Reads the current folder again.
    FolderError Refresh();

    // The folders shown above and below the current one, as full paths (for tests and
    // for code that needs the entries rather than the widget rows).
    QStringList Ancestors() const { return ancestors_; }
    QStringList Subfolders() const { return subfolders_; }

signals:
    void Change();
    // A folder the user tried to open could not be read; the list stays where it was.
    void OpenFailed(korven::host::FolderError error, const QString& path);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowCurrentFolderAndBelow();
    void SetSubfolders(QStringList names);
    void FollowDisk();
    void OpenRow(int row);
    void Fill();

    DriveSource& drives_;
    FolderReader& folders_;
    QString path_;
    QStringList ancestors_;  // root first, current folder last
    QStringList subfolders_; // sorted
    FolderWatcher watcher_;
};

} // namespace korven::host
