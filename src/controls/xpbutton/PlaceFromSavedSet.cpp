#include "controls/xpbutton/PlaceFromSavedSet.h"

#include "controls/xpbutton/XPButton.h"
#include "host/control/PropertyBag.h"

namespace korven::xpbutton {

XPButton* PlaceFromSavedSet(QStringView savedSets, const QString& name, QWidget* parent,
                            const QRect& geometry) {
    const auto sets = host::PropertyBag::ParseSets(savedSets);
    if (!sets)
        return nullptr;
    for (const auto& [setName, bag] : sets.value()) {
        if (setName.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        auto* button = new XPButton(parent);
        button->setObjectName(name);
        if (!button->ReadProperties(bag)) {
            delete button;
            return nullptr;
        }
        button->setGeometry(geometry);
        return button;
    }
    return nullptr;
}

} // namespace korven::xpbutton
