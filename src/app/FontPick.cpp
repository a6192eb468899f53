#include "app/FontPick.h"

#include "converter/core/Errors.h"
#include "converter/core/FreeType.h"

#include <QFile>
#include <QFileInfo>
#include <span>

namespace korven::app {

bool FontOpens(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    // Mapped where the file system allows: a large font is judged from the few tables
    // FreeType looks at, not read whole.
    const qint64 size = file.size();
    const uchar* mapped = size > 0 ? file.map(0, size) : nullptr;
    const QByteArray read = mapped == nullptr ? file.readAll() : QByteArray();
    const auto* bytes =
        mapped != nullptr ? mapped : reinterpret_cast<const uchar*>(read.constData());
    const auto length = static_cast<std::size_t>(mapped != nullptr ? size : read.size());
    try {
        converter::checkOpensAsFont(std::span(bytes, length));
        return true;
    } catch (const converter::ConversionError&) {
        return false;
    }
}

QString WriteProtectionNote(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || info.permissions().testFlag(QFileDevice::WriteOwner)) {
        return {};
    }
    return QStringLiteral("%1 is write-protected; the new file will be write-protected too.")
        .arg(info.fileName());
}

} // namespace korven::app
