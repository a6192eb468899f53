#include "host/surface/InstalledFamily.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>
#include <gtest/gtest.h>

using korven::host::WithInstalledFamily;

namespace {

// Two installed families, whichever the machine has.
QStringList TwoInstalled() {
    QStringList found;
    for (const QString& family : QFontDatabase::families()) {
        if (!family.contains(QLatin1Char('[')) && !found.contains(family)) {
            found.append(family);
        }
        if (found.size() == 2) {
            break;
        }
    }
    return found;
}

} // namespace

TEST(InstalledFamily, NamesTheFamilyTheToolkitDrawsInAndNothingElseChanges) {
    const QStringList installed = TwoInstalled();
    ASSERT_EQ(installed.size(), 2);
    const QString a = installed[0];
    const QString b = installed[1];
    // In the cases, "A" and "B" stand for the installed families and "M…" for missing ones,
    // each case with missing names of its own, as substitutions are global.
    struct Case {
        const char* what;
        QStringList families;
        QStringList substitutes; // of the first family
        QStringList expected;
    };
    const QString m = QStringLiteral("Korven Missing Face %1 %2");
    const auto missing = [&m](int test, int n) { return m.arg(test).arg(n); };
    const Case cases[] = {
        {"an installed family alone is kept", {a}, {}, {a}},
        {"a missing family with no substitutes is kept", {missing(1, 1)}, {}, {missing(1, 1)}},
        {"the first installed named family", {missing(2, 1), b, a}, {}, {b}},
        {"named families before substitutes", {missing(3, 1), a}, {b}, {a}},
        {"the first installed substitute", {missing(4, 1)}, {missing(4, 2), b, a}, {b}},
        {"an installed first family drops the rest", {a, b}, {}, {a}},
        {"names match in any case, spelt as installed", {missing(5, 1), a.toUpper()}, {}, {a}},
        {"none installed is kept",
         {missing(6, 1), missing(6, 2)},
         {missing(6, 3)},
         {missing(6, 1), missing(6, 2)}},
    };
    for (const Case& c : cases) {
        if (!c.substitutes.isEmpty()) {
            QFont::insertSubstitutions(c.families.first(), c.substitutes);
        }
        QFont font;
        font.setFamilies(c.families);
        font.setPointSizeF(9.75);
        font.setBold(true);
        font.setUnderline(true);
        QFont expected = font;
        expected.setFamilies(c.expected);

        const QFont narrowed = WithInstalledFamily(font);
        EXPECT_EQ(narrowed.families(), c.expected) << c.what;
        EXPECT_EQ(narrowed, expected) << c.what;
        // What is drawn stays the same.
        EXPECT_EQ(QFontInfo(narrowed).family(), QFontInfo(font).family()) << c.what;
        // A second request is answered alike (from what was kept of the first).
        EXPECT_EQ(WithInstalledFamily(font), narrowed) << c.what;
    }
}
