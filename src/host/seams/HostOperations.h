#pragma once

#include <QString>

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

} // namespace korven::host
