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
// The current folder and its ancestors are drawn as open folders, the others closed.
// Change() is raised whenever Path() changes, by the user or by an assignment.
// The list follows the disk: subfolders created, renamed or removed appear and go by
// themselves, the highlighted entry and the scroll position kept, without a Change(); when
// the current folder itself goes, the nearest folder above it still there is shown.
class DirListBox : public QListWidget {
    Q_OBJECT
public:
    // `drives` and `folders` must outlive the control. It starts on the current directory.
    DirListBox(DriveSource& drives, FolderReader& folders, QWidget* parent = nullptr);

    // The current folder, without a trailing separator except at the root. While the list
    // is ahead (see SetPathAhead) it is the folder still to be made, not the one shown.
    QString Path() const { return path_; }

    // Shows `path`. On failure nothing changes (Path() and the entries stay) and the kind
    // of failure is returned; Change() is raised only on success.
    FolderError SetPath(const QString& path);

    // Makes `path` current even when it does not exist yet: the entries show the deepest of
    // its folders that exists, while Path() is `path` itself and Ahead() is true until a
    // folder is opened or `path` appears. Fails as SetPath does on that deepest folder.
    FolderError SetPathAhead(const QString& path);
    // True while Path() names a folder that did not exist when it was set.
    bool Ahead() const { return ahead_; }

    // Shows the current folder of `drive` (a root from the drive list): the current
    // directory when it lies on that drive, otherwise the drive's root; for a folder offered
    // as a drive, the folder it opens at (ahead of the disk when that is not made yet). A
    // drive that is no longer mounted fails with DeviceUnavailable.
    FolderError SetPathToDrive(const QString& drive);

    // Reads the folder shown again, keeping the current one; a list that is ahead shows its
    // path once it exists.
    FolderError Refresh();

    // With `follows` on, the folder the user highlights (a click, or a move of the keyboard)
    // becomes Path() at once, with a Change(), while the list keeps its entries until a folder
    // is opened: the highlighted folder and the current one are then never two different
    // folders. Off by default: a single click only highlights.
    void SetPathFollowsHighlight(bool follows) { pathFollowsHighlight_ = follows; }

    // The folder whose subfolders are listed: Path() itself, or its parent when Path() is a
    // highlighted subfolder (see SetPathFollowsHighlight).
    QString ShownFolder() const { return shown_; }

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
    void DrawIcons();
    void Highlight(int row);
    FolderError Show(const QString& clean);

    DriveSource& drives_;
    FolderReader& folders_;
    QString path_;
    QString shown_;
    bool ahead_ = false;
    bool pathFollowsHighlight_ = false;
    bool filling_ = false;   // rows highlighted by the list itself, not the user
    QStringList ancestors_;  // root first, current folder last
    QStringList subfolders_; // sorted
    FolderWatcher watcher_;
};

} // namespace korven::host
