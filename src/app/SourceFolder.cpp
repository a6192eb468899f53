#include "app/SourceFolder.h"

#include <QDir>
#include <QFileInfo>

namespace korven::app {

bool IsSystemFolder(const QString& folder) {
    const QString clean = QDir::cleanPath(folder);
    for (const char* system : {"/usr", "/bin", "/sbin", "/snap"}) {
        const QString top = QString::fromLatin1(system);
        if (clean == top || clean.startsWith(top + QLatin1Char('/'))) {
            return true;
        }
    }
    return !QFileInfo(clean).isWritable();
}

QString SourcePaneStartFolder(const QString& programFolder, const QString& home,
                              const QString& systemFonts) {
    if (!IsSystemFolder(programFolder)) {
        return programFolder;
    }
    const QString userFonts = home + QStringLiteral("/.local/share/fonts");
    for (const QString& fonts : {userFonts, systemFonts}) {
        if (QFileInfo(fonts).isDir()) {
            return fonts;
        }
    }
    return programFolder;
}

} // namespace korven::app
