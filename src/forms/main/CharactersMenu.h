#pragma once

#include <QMenu>
#include <QStringList>

namespace korven::forms {

// The CHARACTERS menu: one checkable item per character set the converter offers beyond the
// Latin one that every file holds (extended Latin, Greek, Cyrillic), each with its access key.
// Nothing is checked at first, which gives exactly the designed command line.
class CharactersMenu : public QMenu {
    Q_OBJECT
public:
    explicit CharactersMenu(QWidget* parent = nullptr);

    // The checked sets' names ("greek"...), in the converter's table order.
    QStringList Chosen() const;
    // The item of a set, by its name; nullptr for a name the menu does not offer.
    QAction* Item(const QString& name) const;

signals:
    // An item was checked or unchecked; carries Chosen().
    void ChoiceChanged(const QStringList& chosen);
};

} // namespace korven::forms
