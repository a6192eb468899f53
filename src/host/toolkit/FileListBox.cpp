#include "host/toolkit/FileListBox.h"

#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

namespace korven::host {

namespace {

// Classic wildcard match: "*" any run of characters, "?" any one; case ignored.
bool MatchOne(QStringView name, QStringView pattern) {
    qsizetype n = 0, p = 0, starP = -1, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() &&
            (pattern[p] == u'?' || pattern[p].toCaseFolded() == name[n].toCaseFolded())) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

} // namespace

bool MatchesPattern(const QString& name, const QString& pattern) {
    for (QStringView one : QStringView(pattern).split(u';')) {
        one = one.trimmed();
        if (one.isEmpty())
            continue;
        // "*.*" means every file, also those without an extension.
        if (one == u"*.*" || MatchOne(name, one))
            return true;
    }
    return false;
}

FileListBox::FileListBox(FolderReader& folders, QWidget* parent)
    : QListWidget(parent), folders_(folders) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (!filling_ && !selectedItems().isEmpty())
            emit Click();
    });
    connect(&watcher_, &FolderWatcher::Changed, this, &FileListBox::FollowDisk);
    SetPath(QDir::currentPath());
}

FolderError FileListBox::SetPath(const QString& path) {
    path_ = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    return Fill(QString());
}

void FileListBox::SetPattern(const QString& pattern) {
    pattern_ = pattern;
    Fill(FileName());
}

QString FileListBox::FileName() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

bool FileListBox::SelectFile(const QString& name) {
    const qsizetype row = files_.indexOf(name);
    if (row < 0)
        return false;
    filling_ = true;
    setCurrentRow(static_cast<int>(row));
    filling_ = false;
    return true;
}

void FileListBox::ClearSelection() {
    filling_ = true;
    setCurrentRow(-1);
    clearSelection();
    filling_ = false;
}

FolderError FileListBox::Refresh() {
    return Fill(FileName());
}

void FileListBox::FollowDisk() {
    const QString selected = FileName();
    const int scrolled = verticalScrollBar()->value();
    Refresh();
    verticalScrollBar()->setValue(scrolled);
    if (!selected.isEmpty() && FileName().isEmpty())
        emit SelectedFileGone();
}

FolderError FileListBox::Fill(const QString& keepSelected) {
    watcher_.Watch(path_);
    FolderListing listing = folders_.Files(path_);
    files_.clear();
    for (const QString& name : listing.names) {
        // Hidden files stay hidden, as they do in the desktop's own file windows.
        if (!name.startsWith(u'.') && MatchesPattern(name, pattern_))
            files_.append(name);
    }
    std::sort(files_.begin(), files_.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    filling_ = true;
    setUpdatesEnabled(false);
    clear();
    addItems(files_);
    const qsizetype keep = keepSelected.isEmpty() ? -1 : files_.indexOf(keepSelected);
    if (keep >= 0)
        setCurrentRow(static_cast<int>(keep));
    setUpdatesEnabled(true);
    filling_ = false;
    return listing.error;
}

void FileListBox::mousePressEvent(QMouseEvent* event) {
    const QString before = FileName();
    QListWidget::mousePressEvent(event);
    // A click on the file already selected changes no selection but is still a click.
    QListWidgetItem* hit = itemAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && hit != nullptr && !before.isEmpty() &&
        hit->text() == before && FileName() == before)
        emit Click();
}

} // namespace korven::host
