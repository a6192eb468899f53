#include "host/toolkit/DesignFonts.h"

#include "host/surface/InstalledFamily.h"

#include <QFont>
#include <QStringList>

namespace korven::host {

namespace {

struct StandIn {
    const char* face;
    QStringList fallbacks;
};

// Liberation Sans has Arial's widths. The dialog font is a narrow bitmap face: at 8.25 pt
// Liberation Sans sets "Value:   1 - 4.0" 70 pixels wide where its label leaves 66, while
// Liberation Sans Narrow needs 62 and still fits every line of the About text. Comic Neue
// is the packaged face nearest to the link's hand-written look. The faces are named by
// family only: the desktop's font database (fontconfig) knows where they are installed.
const QList<StandIn>& StandIns() {
    static const QList<StandIn> standIns{
        {"MS Sans Serif",
         {"Liberation Sans Narrow", "Liberation Sans", "Arimo", "DejaVu Sans", "Sans Serif"}},
        {"Arial", {"Liberation Sans", "Arimo", "DejaVu Sans", "Sans Serif"}},
        {"Comic Sans MS", {"Comic Neue", "Liberation Sans", "DejaVu Sans", "Sans Serif"}},
    };
    return standIns;
}

} // namespace

void RegisterDesignFonts() {
    static bool registered = false;
    if (registered) {
        return;
    }
    registered = true;
    for (const StandIn& standIn : StandIns()) {
        QFont::insertSubstitutions(QString::fromLatin1(standIn.face), standIn.fallbacks);
    }
}

QFont DesignFont(const QString& face, double points, bool bold, bool italic) {
    // The stand-ins come from the substitutions, the one place that lists them.
    RegisterDesignFonts();
    QFont font;
    font.setFamilies(QStringList{face});
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    // Named by the installed stand-in itself, the face is found without the toolkit's slow
    // search for a missing family.
    return WithInstalledFamily(font);
}

QFont StandardDialogFont() {
    return DesignFont(QStringLiteral("MS Sans Serif"), 8.25);
}

} // namespace korven::host
