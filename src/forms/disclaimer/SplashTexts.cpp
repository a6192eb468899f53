#include "forms/disclaimer/SplashTexts.h"

namespace korven::forms::splash {

QString VersionCaption(const host::ProgramVersion& version) {
    return QStringLiteral("Version %1.%2.%3")
        .arg(version.major)
        .arg(version.minor)
        .arg(version.revision);
}

} // namespace korven::forms::splash
