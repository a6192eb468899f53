#include "host/seams/HostOperations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace korven::host {

bool FileExists(const QString& path) {
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

QString GetFileName(const QString& path) {
    auto isSeparator = [](QChar c) { return c == u'/' || c == u'\\'; };
    qsizetype end = path.size();
    while (end > 0 && isSeparator(path[end - 1]))
        --end;
    qsizetype start = end;
    while (start > 0 && !isSeparator(path[start - 1]))
        --start;
    QString name = path.mid(start, end - start);
    // A Windows drive such as "C:" is a root, not a name.
    if (start == 0 && name.size() == 2 && name[1] == u':')
        return QString();
    return name;
}

bool ChangeCurrentDirectory(const QString& folder) {
    return QDir::setCurrent(folder);
}

void PumpEvents() {
    QCoreApplication::processEvents();
}

QString PathSeparator() {
    return QString(QDir::separator());
}

} // namespace korven::host
