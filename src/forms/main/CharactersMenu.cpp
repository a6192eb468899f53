#include "forms/main/CharactersMenu.h"

#include "converter/core/CharacterSets.h"

namespace korven::forms {

CharactersMenu::CharactersMenu(QWidget* parent) : QMenu(QStringLiteral("C&HARACTERS"), parent) {
    // Alt+C belongs to the Convert button and Alt+P to PREVIEW, hence the H.
    setObjectName(QStringLiteral("CHARACTERS"));
    for (const converter::NamedCharacterSet& set : converter::namedCharacterSets()) {
        if (set.ranges.empty())
            continue; // the Latin set is always in the file: nothing to choose
        if (!set.language.empty())
            continue; // a whole script goes into a file of its own, not into the Latin ones
        QAction* item =
            addAction(QLatin1Char('&') + QString::fromUtf8(set.title.data(), set.title.size()));
        item->setObjectName(QString::fromUtf8(set.name.data(), set.name.size()));
        item->setCheckable(true);
        connect(item, &QAction::toggled, this, [this] { emit ChoiceChanged(Chosen()); });
    }
}

QStringList CharactersMenu::Chosen() const {
    QStringList names;
    for (const QAction* item : actions())
        if (item->isChecked())
            names << item->objectName();
    return names;
}

QAction* CharactersMenu::Item(const QString& name) const {
    for (QAction* item : actions())
        if (item->objectName() == name)
            return item;
    return nullptr;
}

} // namespace korven::forms
