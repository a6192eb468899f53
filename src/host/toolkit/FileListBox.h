#pragma once

#include "host/seams/FolderReader.h"
#include "host/seams/FolderWatcher.h"

#include <QListWidget>
#include <QString>
#include <QStringList>

namespace korven::host {

// True when `name` matches `pattern`: "*" and "?" wildcards, case ignored (fonts come as
// .ttf and .TTF alike), several patterns separated by ";".
bool MatchesPattern(const QString& name, const QString& pattern);

// A file list: the files of Path() whose names match Pattern(), sorted, hidden files left
// out. Click() is raised when the user clicks a file or moves the selection with the keys.
// The list follows the disk: files created, renamed or removed in Path() appear and go by
// themselves, the selection and the scroll position kept.
class FileListBox : public QListWidget {
    Q_OBJECT
public:
    // `folders` must outlive the control. It starts on the current directory, pattern "*.*"
    // meaning every file.
    explicit FileListBox(FolderReader& folders, QWidget* parent = nullptr);

    QString Path() const { return path_; }
    // Lists the files of `path`. On failure the list is emptied, Path() still becomes
    // `path` and the failure is returned.
    FolderError SetPath(const QString& path);

    QString Pattern() const { return pattern_; }
    void SetPattern(const QString& pattern);

    // Selected file name, without folder; empty when none is selected.
    QString FileName() const;
    // Selects `name` if it is listed (without raising Click()); returns whether it was.
    bool SelectFile(const QString& name);
    // Selects nothing (without raising Click()).
    void ClearSelection();

    // Reads the folder again, keeping the selection when the file is still there.
    FolderError Refresh();

    QStringList Files() const { return files_; }

signals:
    void Click();
    // The selected file went from the disk, and so from the list: nothing is selected now.
    void SelectedFileGone();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    FolderError Fill(const QString& keepSelected);
    void FollowDisk();

    FolderReader& folders_;
    QString path_;
    QString pattern_ = QStringLiteral("*.*");
    QStringList files_;
    bool filling_ = false;
    FolderWatcher watcher_;
};

} // namespace korven::host
