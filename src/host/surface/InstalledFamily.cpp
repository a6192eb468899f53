#include "host/surface/InstalledFamily.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QMutex>
#include <QStringList>
#include <atomic>

namespace korven::host {

namespace {

// What the font database holds, read once and again only after it changes (an application
// font added or removed), and the answers given from it. The database is read without this
// lock held, as the toolkit may announce a change while it holds its own.
struct Known {
    QMutex mutex;
    std::atomic<int> changes{0};
    int readAt = -1; // the change count the names were read at
    bool watching = false;
    QHash<QString, QString> installed; // case-folded family name -> the database's spelling
    QHash<QStringList, QString> firstInstalled;
};

Known& Database() {
    static Known known;
    return known;
}

QHash<QString, QString> ReadInstalled() {
    QHash<QString, QString> installed;
    for (QString family : QFontDatabase::families()) {
        // A family sold by more than one foundry is listed once per foundry, as
        // "Family [Foundry]"; the family alone is what a font names.
        if (family.endsWith(QLatin1Char(']'))) {
            const qsizetype bracket = family.lastIndexOf(QLatin1String(" ["));
            if (bracket > 0) {
                family.truncate(bracket);
            }
        }
        installed.insert(family.toCaseFolded(), family);
    }
    return installed;
}

QString FirstInstalled(const QStringList& candidates) {
    Known& known = Database();
    QMutexLocker lock(&known.mutex);
    if (!known.watching) {
        known.watching = true;
        QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, qGuiApp,
                         [] { ++Database().changes; });
    }
    const int changes = known.changes;
    if (known.readAt != changes) {
        lock.unlock();
        QHash<QString, QString> installed = ReadInstalled();
        lock.relock();
        known.installed = std::move(installed);
        known.firstInstalled.clear();
        known.readAt = changes;
    }
    const auto kept = known.firstInstalled.constFind(candidates);
    if (kept != known.firstInstalled.cend()) {
        return *kept;
    }
    // Substitutes come back in lower case; the font names the family as the database does.
    QString found;
    for (const QString& family : candidates) {
        const auto match = known.installed.constFind(family.toCaseFolded());
        if (match != known.installed.cend()) {
            found = *match;
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
