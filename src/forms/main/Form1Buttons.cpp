#include "forms/main/Form1Buttons.h"

#include "controls/xpbutton/XPButton.h"
#include "host/control/PropertyBag.h"

namespace korven::forms {

const char kForm1ButtonSets[] = R"(# The Convert and Exit buttons of the main window.
[XPButton2]
BTYPE   = int32 3
TX      = text  "&Convert Font"
ENAB    = bool  -1
FONT    = font  "MS Sans Serif" size=8.25 weight=700
COLTYPE = int32 1
FOCUSR  = bool  -1
BCOL    = int32 0x00E3DFE0
FCOL    = int32 0

[XPButton1]
BTYPE   = int32 3
TX      = text  "&Exit"
ENAB    = bool  -1
FONT    = font  "MS Sans Serif" size=9.75 weight=700
COLTYPE = int32 1
FOCUSR  = bool  -1
BCOL    = int32 0x00E3DFE0
FCOL    = int32 0
)";

namespace {

const host::PropertyBag* FindSet(const std::vector<std::pair<QString, host::PropertyBag>>& sets,
                                 const QString& name) {
    for (const auto& [setName, bag] : sets) {
        if (setName.compare(name, Qt::CaseInsensitive) == 0) {
            return &bag;
        }
    }
    return nullptr;
}

} // namespace

xpbutton::XPButton* PlaceButton(const QString& name, QWidget* parent, const QRect& geometry,
                                std::function<void()> onClick) {
    const auto sets = host::PropertyBag::ParseSets(QString::fromUtf8(kForm1ButtonSets));
    if (!sets) {
        return nullptr;
    }
    const host::PropertyBag* bag = FindSet(sets.value(), name);
    if (bag == nullptr) {
        return nullptr;
    }
    auto* button = new xpbutton::XPButton(parent);
    button->setObjectName(name);
    if (!button->ReadProperties(*bag)) {
        delete button;
        return nullptr;
    }
    button->setGeometry(geometry);
    QObject::connect(button, &xpbutton::XPButton::Click, button, [onClick] { onClick(); });
    return button;
}

} // namespace korven::forms
