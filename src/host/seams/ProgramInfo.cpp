#include "host/seams/ProgramInfo.h"

#include "korven/Version.h"

#include <QCoreApplication>
#include <QDir>

namespace korven::host {

QString ProgramTitle() {
    return QStringLiteral("KORVEN_Font_Coverter");
}

ProgramVersion Version() {
    return {KORVEN_VERSION_MAJOR, KORVEN_VERSION_MINOR, KORVEN_VERSION_PATCH};
}

QString SystemProgramFolder() {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

} // namespace korven::host
