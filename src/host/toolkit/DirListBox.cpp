#include "host/toolkit/DirListBox.h"

#include "host/seams/HostOperations.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
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

// The list's own folder pictures, 16 pixels square: a closed folder, and an open one whose
// front flap falls forward, so the path's folders stand out from the others at a glance.
QIcon FolderIcon(bool open) {
    QPixmap picture(kIconPixels * 2, kIconPixels * 2);
    picture.setDevicePixelRatio(2);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor outline(0x80, 0x60, 0x10);
    painter.setPen(QPen(outline, 1));
    painter.setBrush(QColor(0xE0, 0xB0, 0x40));
    // The back with its tab.
    painter.drawPolygon(
        QPolygonF({{1.5, 3.5}, {6.5, 3.5}, {8.0, 5.0}, {14.5, 5.0}, {14.5, 13.5}, {1.5, 13.5}}));
    painter.setBrush(QColor(0xF8, 0xD8, 0x78));
    if (open)
        painter.drawPolygon(QPolygonF({{3.5, 7.5}, {15.5, 7.5}, {13.0, 13.5}, {1.5, 13.5}}));
    else
        painter.drawRect(QRectF(1.5, 6.5, 13.0, 7.0));
    painter.end();
    return QIcon(picture);
}

// Whether `folder` is `path` or one of the folders above it.
bool LeadsTo(const QString& folder, const QString& path) {
    return path == folder || path.startsWith(folder.endsWith(u'/') ? folder : folder + u'/');
}

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
    connect(this, &QListWidget::currentRowChanged, this, &DirListBox::Highlight);
    connect(&watcher_, &FolderWatcher::Changed, this, &DirListBox::FollowDisk);
    SetPath(QDir::currentPath());
}

FolderError DirListBox::SetPath(const QString& path) {
    const FolderError error = Show(CleanPath(path));
    if (error == FolderError::None) {
        ahead_ = false;
        emit Change();
    }
    return error;
}

FolderError DirListBox::SetPathAhead(const QString& path) {
    const QString wanted = CleanPath(path);
    QString shown = wanted;
    while (!QFileInfo(shown).isDir()) {
        const QString up = QFileInfo(shown).path();
        if (up == shown)
            break;
        shown = up;
    }
    const FolderError error = Show(shown);
    if (error != FolderError::None)
        return error;
    ahead_ = shown != wanted;
    path_ = wanted;
    emit Change();
    return FolderError::None;
}

// Reads `clean` and shows it with its ancestors and subfolders; Path() becomes `clean`.
FolderError DirListBox::Show(const QString& clean) {
    FolderListing listing = folders_.Subfolders(clean);
    if (listing.error != FolderError::None)
        return listing.error;

    path_ = clean;
    shown_ = clean;
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
    return FolderError::None;
}

void DirListBox::SetSubfolders(QStringList names) {
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    subfolders_.clear();
    subfolders_.reserve(names.size());
    for (const QString& name : names)
        subfolders_.append(JoinPath(shown_, name));
}

void DirListBox::FollowDisk() {
    // Ahead of the disk, a change in the folder shown may be the wanted folder being made.
    if (ahead_) {
        SetPathAhead(path_);
        return;
    }
    FolderListing listing = folders_.Subfolders(shown_);
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
    const bool pathGone =
        path_ != shown_ && !ancestors_.contains(path_) && !subfolders_.contains(path_);
    if (pathGone)
        path_ = shown_; // the highlighted subfolder went: the folder above it is current
    Fill();
    filling_ = true;
    for (int row = 0; row < count(); ++row) {
        if (item(row)->data(kPathRole).toString() == highlighted && !pathGone)
            setCurrentRow(row);
    }
    filling_ = false;
    verticalScrollBar()->setValue(scrolled);
    watcher_.Watch(shown_);
    if (pathGone)
        emit Change();
}

FolderError DirListBox::SetPathToDrive(const QString& drive) {
    const QStringList roots = drives_.Roots();
    if (!roots.contains(drive))
        return FolderError::DeviceUnavailable;
    const std::vector<FolderDrive> folderDrives = drives_.FolderDrives();
    if (const FolderDrive* folder = FindFolderDrive(folderDrives, drive))
        return SetPathAhead(folder->openAt);
    const QString current = QDir::currentPath();
    return SetPath(DriveOfPath(current, roots) == drive ? current : drive);
}

FolderError DirListBox::Refresh() {
    if (ahead_)
        return SetPathAhead(path_);
    if (path_ == shown_)
        return SetPath(path_);
    // A highlighted subfolder stays current while its parent is read again.
    const QString current = path_;
    const FolderError error = Show(shown_);
    if (error != FolderError::None)
        return error;
    if (subfolders_.contains(current)) {
        path_ = current;
        Fill();
    }
    emit Change();
    return FolderError::None;
}

void DirListBox::Fill() {
    setUpdatesEnabled(false);
    filling_ = true;
    clear();
    int depth = 0;
    int current = static_cast<int>(ancestors_.size()) - 1;
    for (const QString& folder : ancestors_) {
        const QString name = GetFileName(folder);
        auto* item = new QListWidgetItem(name.isEmpty() ? QDir::toNativeSeparators(folder) : name);
        item->setData(kPathRole, folder);
        item->setData(kDepthRole, depth++);
        if (folder == path_)
            current = count();
        addItem(item);
    }
    for (const QString& folder : subfolders_) {
        auto* item = new QListWidgetItem(GetFileName(folder));
        item->setData(kPathRole, folder);
        item->setData(kDepthRole, depth);
        if (folder == path_)
            current = count();
        addItem(item);
    }
    DrawIcons();
    setCurrentRow(current);
    filling_ = false;
    ShowCurrentFolderAndBelow();
    setUpdatesEnabled(true);
}

void DirListBox::DrawIcons() {
    static const QIcon openIcon = FolderIcon(true);
    static const QIcon closedIcon = FolderIcon(false);
    // Ahead of the disk the wanted folder is not listed: the deepest one shown leads to it.
    for (int row = 0; row < count(); ++row)
        item(row)->setIcon(LeadsTo(item(row)->data(kPathRole).toString(), path_) ? openIcon
                                                                                 : closedIcon);
}

void DirListBox::Highlight(int row) {
    if (filling_ || !pathFollowsHighlight_ || item(row) == nullptr)
        return;
    const QString target = item(row)->data(kPathRole).toString();
    if (target == path_)
        return;
    path_ = target;
    ahead_ = false;
    DrawIcons();
    emit Change();
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
    if (target == shown_ && target == path_)
        return;
    const FolderError error = SetPath(target);
    if (error == FolderError::None)
        return;
    if (path_ != shown_) {
        // A highlighted folder that cannot be opened is not left as the current one: the list
        // stays on the folder it shows.
        path_ = shown_;
        Fill();
        emit Change();
    }
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
