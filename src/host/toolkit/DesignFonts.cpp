#include "host/toolkit/DesignFonts.h"

#include <QFile>
#include <QFontDatabase>

namespace korven::host {

namespace {

struct StandIn {
    const char* face;
    QStringList fallbacks;
};

// Liberation Sans has Arial's widths. The dialog font is a narrow bitmap face: at 8.25 pt
// Liberation Sans sets "Value:   1 - 4.0" 70 pixels wide where its label leaves 66, while
// Liberation Sans Narrow needs 62 and still fits every line of the About text. Comic Neue
// is the packaged face nearest to the link's hand-written look.
const QList<StandIn>& StandIns() {
    static const QList<StandIn> standIns{
        {"MS Sans Serif",
         {"Liberation Sans Narrow", "Liberation Sans", "Arimo", "DejaVu Sans", "Sans Serif"}},
        {"Arial", {"Liberation Sans", "Arimo", "DejaVu Sans", "Sans Serif"}},
        {"Comic Sans MS", {"Comic Neue", "Liberation Sans", "DejaVu Sans", "Sans Serif"}},
    };
    return standIns;
}

// Where Debian's packages put the stand-ins (fonts-liberation, fonts-liberation2,
// fonts-comic-neue). A file that is missing is skipped: the next fallback takes over.
constexpr const char* kFontFiles[] = {
    "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSans-Italic.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSans-BoldItalic.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSansNarrow-Regular.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSansNarrow-Bold.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSansNarrow-Italic.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSansNarrow-BoldItalic.ttf",
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf",
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf",
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Italic.ttf",
    "/usr/share/fonts/truetype/liberation2/LiberationSans-BoldItalic.ttf",
    "/usr/share/fonts/opentype/comic-neue/ComicNeue-Regular.otf",
    "/usr/share/fonts/opentype/comic-neue/ComicNeue-Bold.otf",
    "/usr/share/fonts/opentype/comic-neue/ComicNeue-Italic.otf",
    "/usr/share/fonts/opentype/comic-neue/ComicNeue-BoldItalic.otf",
};

} // namespace

QStringList FallbacksFor(const QString& face) {
    for (const StandIn& standIn : StandIns()) {
        if (face.compare(QLatin1String(standIn.face), Qt::CaseInsensitive) == 0) {
            return standIn.fallbacks;
        }
    }
    return {};
}

void RegisterDesignFonts() {
    static bool registered = false;
    if (registered) {
        return;
    }
    registered = true;
    for (const char* path : kFontFiles) {
        const QString file = QString::fromLatin1(path);
        if (QFile::exists(file)) {
            QFontDatabase::addApplicationFont(file);
        }
    }
    for (const StandIn& standIn : StandIns()) {
        QFont::insertSubstitutions(QString::fromLatin1(standIn.face), standIn.fallbacks);
    }
}

QFont DesignFont(const QString& face, double points, bool bold, bool italic) {
    QFont font;
    font.setFamilies(QStringList{face} + FallbacksFor(face));
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QFont StandardDialogFont() {
    return DesignFont(QStringLiteral("MS Sans Serif"), 8.25);
}

} // namespace korven::host
