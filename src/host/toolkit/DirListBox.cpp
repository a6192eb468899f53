#include "host/toolkit/DirListBox.h"

#include "host/seams/HostOperations.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <algorithm>

namespace korven::host {

namespace {

constexpr int kDepthRole = Qt::UserRole + 1;
constexpr int kPathRole = Qt::UserRole;
constexpr int kIndentPixels = 10;
constexpr int kIconPixels = 16;

// Draws each row shifted right by its depth, so the list reads like a folder tree.
class IndentDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem shifted(option);
        shifted.rect.adjust(index.data(kDepthRole).toInt() * kIndentPixels, 0, 0, 0);
        QStyledItemDelegate::paint(painter, shifted, index);
    }
    // One row height for the list's whole life: the icon's and the text's, whichever is
    // taller, never what the first fill happened to measure.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(RowHeight(option.fontMetrics));
        return size;
    }
    static int RowHeight(const QFontMetrics& metrics) {
        return std::max(kIconPixels, metrics.height()) + 2;
    }
};

QString CleanPath(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString JoinPath(const QString& folder, const QString& name) {
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

} // namespace

DirListBox::DirListBox(DriveSource& drives, FolderReader& folders, QWidget* parent)
    : QListWidget(parent), drives_(drives), folders_(folders) {
    setItemDelegate(new IndentDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setIconSize(QSize(kIconPixels, kIconPixels));
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { OpenRow(row(item)); });
    connect(&watcher_, &FolderWatcher::Changed, this, &DirListBox::FollowDisk);
    SetPath(QDir::currentPath());
}

FolderError DirListBox::SetPath(const QString& path) {
    const QString clean = CleanPath(path);
    FolderListing listing = folders_.Subfolders(clean);
    if (listing.error != FolderError::None)
        return listing.error;

    path_ = clean;
    ancestors_.clear();
    QString walk = path_;
    for (;;) {
        ancestors_.prepend(walk);
        const QString up = QFileInfo(walk).path();
        if (up == walk || walk == QDir::rootPath())
            break;
        walk = up;
    }
    SetSubfolders(std::move(listing.names));
    Fill();
    watcher_.Watch(path_);
    emit Change();
    return FolderError::None;
}

void DirListBox::SetSubfolders(QStringList names) {
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    subfolders_.clear();
    subfolders_.reserve(names.size());
    for (const QString& name : names)
        subfolders_.append(JoinPath(path_, name));
}

void DirListBox::FollowDisk() {
    FolderListing listing = folders_.Subfolders(path_);
    if (listing.error != FolderError::None) {
        // The folder went (or can no longer be read): the nearest one above that can.
        for (qsizetype i = ancestors_.size() - 2; i >= 0; --i) {
            if (SetPath(ancestors_[i]) == FolderError::None)
                return;
        }
        return;
    }
    const QString highlighted =
        currentItem() != nullptr ? currentItem()->data(kPathRole).toString() : QString();
    const int scrolled = verticalScrollBar()->value();
    SetSubfolders(std::move(listing.names));
    Fill();
    for (int row = 0; row < count(); ++row) {
        if (item(row)->data(kPathRole).toString() == highlighted)
            setCurrentRow(row);
    }
    verticalScrollBar()->setValue(scrolled);
    watcher_.Watch(path_);
}

FolderError DirListBox::SetPathToDrive(const QString& drive) {
    const QStringList roots = drives_.Roots();
    if (!roots.contains(drive))
        return FolderError::DeviceUnavailable;
    const QString current = QDir::currentPath();
    return SetPath(DriveOfPath(current, roots) == drive ? current : drive);
}

FolderError DirListBox::Refresh() {
    return SetPath(path_);
}

void DirListBox::Fill() {
    static const QIcon openIcon = QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon);
    static const QIcon closedIcon = QApplication::style()->standardIcon(QStyle::SP_DirIcon);
    setUpdatesEnabled(false);
    clear();
    int depth = 0;
    for (const QString& folder : ancestors_) {
        const QString name = GetFileName(folder);
        auto* item =
            new QListWidgetItem(openIcon, name.isEmpty() ? QDir::toNativeSeparators(folder) : name);
        item->setData(kPathRole, folder);
        item->setData(kDepthRole, depth++);
        addItem(item);
    }
    for (const QString& folder : subfolders_) {
        auto* item = new QListWidgetItem(closedIcon, GetFileName(folder));
        item->setData(kPathRole, folder);
        item->setData(kDepthRole, depth);
        addItem(item);
    }
    setCurrentRow(static_cast<int>(ancestors_.size()) - 1);
    ShowCurrentFolderAndBelow();
    setUpdatesEnabled(true);
}

void DirListBox::ShowCurrentFolderAndBelow() {
    // As many rows from the end as fit, but never past the current folder: its subfolders
    // come into view first, then as many of its ancestors as there is room for.
    const int rowHeight = IndentDelegate::RowHeight(fontMetrics());
    const int visibleRows = std::max(1, viewport()->height() / rowHeight);
    const int current = static_cast<int>(ancestors_.size()) - 1;
    const int top = std::clamp(count() - visibleRows, 0, std::max(current, 0));
    if (QListWidgetItem* first = item(top)) {
        scrollToItem(first, QAbstractItemView::PositionAtTop);
    }
}

void DirListBox::resizeEvent(QResizeEvent* event) {
    QListWidget::resizeEvent(event);
    ShowCurrentFolderAndBelow();
}

void DirListBox::OpenRow(int row) {
    QListWidgetItem* entry = item(row);
    if (entry == nullptr)
        return;
    const QString target = entry->data(kPathRole).toString();
    if (target == path_)
        return;
    const FolderError error = SetPath(target);
    if (error != FolderError::None)
        emit OpenFailed(error, target);
}

void DirListBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OpenRow(currentRow());
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

} // namespace korven::host
