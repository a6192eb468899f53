#include "host/seams/UrlOpener.h"

#include <QDesktopServices>
#include <QUrl>

namespace korven::host {

bool DesktopUrlOpener::Open(const QString& url, const QString& directory) {
    // The desktop's URL handler has no notion of a start folder; it is accepted for the
    // callers' sake and not used.
    Q_UNUSED(directory);
    return QDesktopServices::openUrl(QUrl(url, QUrl::TolerantMode));
}

} // namespace korven::host
