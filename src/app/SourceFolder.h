#pragma once

#include <QString>

namespace korven::app {

// Whether `folder` is one of the system's own, where packages put programs: one the user
// cannot write, or one under /usr, /bin, /sbin or /snap (the superuser can write anywhere,
// so permissions alone do not tell).
bool IsSystemFolder(const QString& folder);

// The folder the source pane opens on. Run from its build or an unpacked folder, that is the
// program's own folder, where fonts to try are often put. Installed, that folder holds
// programs, not fonts: the user's fonts folder (`home`/.local/share/fonts) when it exists,
// else `systemFonts`, else the program's folder after all.
QString SourcePaneStartFolder(const QString& programFolder, const QString& home,
                              const QString& systemFonts = QStringLiteral("/usr/share/fonts"));

} // namespace korven::app
