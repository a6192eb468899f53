// Fonts that come from outside the source pane: a path the program was started with (a
// file manager's "Open with") and a file dropped on the window. Both end in the same pick
// a click in the source pane makes.

#include "forms/main/Form1.h"
#include "forms/main/Form1Texts.h"
#include "host/toolkit/DirListBox.h"
#include "host/toolkit/DriveListBox.h"
#include "host/toolkit/FileListBox.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace korven::forms {

QString Form1::PickFontFile(const QString& path) {
    const QFileInfo file(path);
    if (!file.exists()) {
        return QStringLiteral("The font %1 cannot be opened: there is no such file.").arg(path);
    }
    if (!file.isFile()) {
        return QStringLiteral("The font %1 cannot be opened: it is %2, not a file.")
            .arg(path,
                 file.isDir() ? QStringLiteral("a folder") : QStringLiteral("a special file"));
    }
    if (!host::MatchesPattern(file.fileName(), file1_->Pattern())) {
        return QStringLiteral("The font %1 cannot be opened: only font files named *.ttf, *.otf "
                              "or *.ttc can be converted.")
            .arg(path);
    }
    if (!file.isReadable()) {
        return QStringLiteral("The font %1 cannot be opened: it cannot be read.").arg(path);
    }
    // The panes show folders as the user would reach them: absolute, and without "." or
    // ".." in them.
    const QString folder = QDir::cleanPath(file.absolutePath());
    drive1_->SetDrive(folder);
    if (dir1_->SetPath(folder) != host::FolderError::None || !file1_->SelectFile(file.fileName())) {
        return QStringLiteral("The font %1 cannot be opened: its folder cannot be listed.")
            .arg(path);
    }
    File1_Click();
    return QString();
}

void Form1::OpenFontFile(const QString& path) {
    const QString problem = PickFontFile(path);
    if (!problem.isEmpty()) {
        services_.messages->Show(
            problem, host::MessageBoxFlag::OkOnly | host::MessageBoxFlag::Warning, QString(), this);
    }
}

QString Form1::DraggedFontFile(const QMimeData* data) const {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) {
        return QString();
    }
    const QUrl url = data->urls().constFirst();
    if (!url.isLocalFile()) {
        return QString();
    }
    const QFileInfo file(url.toLocalFile());
    return file.isFile() && host::MatchesPattern(file.fileName(), file1_->Pattern())
               ? file.filePath()
               : QString();
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
    // While the converter runs the panes are hidden and the pick is the job's: no drops.
    if (!job_ && !DraggedFontFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void Form1::dropEvent(QDropEvent* event) {
    const QString path = job_ ? QString() : DraggedFontFile(event->mimeData());
    if (path.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    // A dropped file that turns out unusable is simply not picked, as a drop of anything
    // else: the user sees the source pane unchanged.
    PickFontFile(path);
}

} // namespace korven::forms
