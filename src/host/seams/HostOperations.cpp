#include "host/seams/HostOperations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

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

MadeFolders MakeFolders(const QString& folder) {
    MadeFolders result;
    QStringList missing;
    QString walk = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    while (!QFileInfo(walk).exists()) {
        missing.prepend(walk);
        const QString up = QFileInfo(walk).path();
        if (up == walk)
            break;
        walk = up;
    }
    for (const QString& path : missing) {
        std::error_code code;
        std::filesystem::create_directory(std::filesystem::path(path.toStdU16String()), code);
        if (code) {
            result.error = QString::fromLocal8Bit(code.message());
            RemoveEmptyFolders(result.made);
            result.made.clear();
            return result;
        }
        result.made.append(path);
    }
    if (!QFileInfo(folder).isDir()) {
        // Something that is not a folder is in the way.
        result.error =
            QString::fromLocal8Bit(std::make_error_code(std::errc::not_a_directory).message());
        return result;
    }
    result.ok = true;
    return result;
}

void RemoveEmptyFolders(const QStringList& made) {
    for (auto it = made.crbegin(); it != made.crend(); ++it) {
        const std::filesystem::path path(it->toStdU16String());
        std::error_code code;
        // remove() takes an empty folder only; a folder with anything in it stays.
        if (!std::filesystem::is_directory(path, code) || !std::filesystem::remove(path, code))
            return;
    }
}

} // namespace korven::host
