#pragma once

#include "app/Backups.h"

#include <QMenu>

namespace korven::forms {

// The RESTORE menu: one item per backup the window keeps, newest first, saying when it was
// made, which files it holds and the folder they came from. The window fills it each time it
// opens, so it always shows the backups as they are on the disk.
class RestoreMenu : public QMenu {
    Q_OBJECT
public:
    explicit RestoreMenu(QWidget* parent = nullptr);

    // Replaces the items with these backups; with none, one disabled item says so.
    void ShowBackups(const QList<app::BackupEntry>& backups);

signals:
    // The item of the backup at `path` was chosen.
    void RestoreRequested(const QString& path);
};

} // namespace korven::forms
