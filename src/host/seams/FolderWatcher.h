#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

namespace korven::host {

// Tells when the entries of one folder change on disk: a file or folder created, renamed or
// removed there, or the folder itself going. A burst of changes (many fonts copied in) gives
// one Changed(), a short settling time after the last, well within a second.
class FolderWatcher : public QObject {
    Q_OBJECT
public:
    explicit FolderWatcher(QObject* parent = nullptr);

    // Watches `folder` instead of the one watched before; an empty path watches nothing.
    void Watch(const QString& folder);

signals:
    void Changed();

private:
    QFileSystemWatcher watcher_;
    QTimer settle_;
    QString folder_;
};

} // namespace korven::host
