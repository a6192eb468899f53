#include "forms/main/RestoreMenu.h"

namespace korven::forms {

RestoreMenu::RestoreMenu(QWidget* parent) : QMenu(QStringLiteral("&RESTORE"), parent) {
    setObjectName(QStringLiteral("RESTORE"));
    ShowBackups({});
}

void RestoreMenu::ShowBackups(const QList<app::BackupEntry>& backups) {
    clear();
    if (backups.isEmpty()) {
        addAction(QStringLiteral("No replaced files kept yet"))->setEnabled(false);
        return;
    }
    for (const app::BackupEntry& backup : backups) {
        QAction* item = addAction(app::BackupMenuText(backup));
        const QString path = backup.path;
        connect(item, &QAction::triggered, this, [this, path] { emit RestoreRequested(path); });
    }
}

} // namespace korven::forms
