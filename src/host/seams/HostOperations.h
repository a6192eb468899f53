#pragma once

#include <QString>
#include <QStringList>

namespace korven::host {

// True when `path` names an existing file (not a folder). A relative path is resolved
// against the current directory.
bool FileExists(const QString& path);

// The last component of `path`: "b.ttf" for "/a/b.ttf", "a" for "/a/". Empty for the root.
QString GetFileName(const QString& path);

// Makes `folder` the current directory; later relative paths resolve there.
bool ChangeCurrentDirectory(const QString& folder);

// Handles the window events that are waiting, then returns.
void PumpEvents();

// The platform's path separator as text: "\" on Windows, "/" elsewhere.
QString PathSeparator();

// Makes `folder` and whichever of its parents are missing. Answers the folders it made,
// outermost first, so that a caller can take them back; on failure nothing it made is left
// and `error` (when given) says why in the system's words.
struct MadeFolders {
    bool ok = false;
    QStringList made;
    QString error;
};
MadeFolders MakeFolders(const QString& folder);

// Removes the folders in `made` (as MakeFolders answered them) that are still empty,
// innermost first; a folder that has something in it stays, and so do those above it.
void RemoveEmptyFolders(const QStringList& made);

} // namespace korven::host
