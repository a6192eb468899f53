#include "controls/xpbutton/PlaceFromSavedSet.h"

#include "controls/xpbutton/ButtonProperties.h"
#include "controls/xpbutton/XPButton.h"
#include "host/control/PropertyBag.h"

namespace korven::xpbutton {

XPButton* PlaceFromSavedSet(const SavedButton& saved, const QString& name, QWidget* parent,
                            const QRect& geometry) {
    host::PropertyBag bag;
    if (!WriteSavedButton(saved, bag))
        return nullptr;
    auto* button = new XPButton(parent);
    button->setObjectName(name);
    if (!button->ReadProperties(bag)) {
        delete button;
        return nullptr;
    }
    button->setGeometry(geometry);
    return button;
}

} // namespace korven::xpbutton
