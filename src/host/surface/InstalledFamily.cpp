#include "host/surface/InstalledFamily.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QMutex>
#include <QStringList>

namespace korven::host {

namespace {

// What the font database holds, read once and again only after it changes (an application
// font added or removed), and the answers given from it.
struct Known {
    QMutex mutex;
    bool read = false;
    bool watching = false;
    QHash<QString, QString> installed; // case-folded family name -> the database's spelling
    QHash<QStringList, QString> firstInstalled;
};

Known& Database() {
    static Known known;
    return known;
}

void ReadInstalled(Known& known) {
    known.installed.clear();
    known.firstInstalled.clear();
    for (QString family : QFontDatabase::families()) {
        // A family sold by more than one foundry is listed once per foundry, as
        // "Family [Foundry]"; the family alone is what a font names.
        if (family.endsWith(QLatin1Char(']'))) {
            const qsizetype bracket = family.lastIndexOf(QLatin1String(" ["));
            if (bracket > 0) {
                family.truncate(bracket);
            }
        }
        known.installed.insert(family.toCaseFolded(), family);
    }
    known.read = true;
}

QString FirstInstalled(const QStringList& candidates) {
    Known& known = Database();
    QMutexLocker lock(&known.mutex);
    if (!known.watching) {
        known.watching = true;
        QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, qGuiApp, [] {
            Known& stale = Database();
            QMutexLocker staleLock(&stale.mutex);
            stale.read = false;
        });
    }
    if (!known.read) {
        ReadInstalled(known);
    }
    const auto kept = known.firstInstalled.constFind(candidates);
    if (kept != known.firstInstalled.cend()) {
        return *kept;
    }
    // Substitutes come back in lower case; the font names the family as the database does.
    QString found;
    for (const QString& family : candidates) {
        const auto installed = known.installed.constFind(family.toCaseFolded());
        if (installed != known.installed.cend()) {
            found = *installed;
            break;
        }
    }
    known.firstInstalled.insert(candidates, found);
    return found;
}

} // namespace

QFont WithInstalledFamily(const QFont& font) {
    const QStringList requested = font.families();
    if (requested.isEmpty() || qGuiApp == nullptr) {
        return font;
    }
    // The order the toolkit tries them in: the named families, then the substitutes of each.
    QStringList candidates = requested;
    for (const QString& family : requested) {
        candidates += QFont::substitutes(family);
    }
    if (candidates.size() == 1) {
        return font;
    }
    const QString installed = FirstInstalled(candidates);
    if (installed.isEmpty()) {
        return font;
    }
    QFont narrowed = font;
    narrowed.setFamilies({installed});
    return narrowed;
}

} // namespace korven::host
