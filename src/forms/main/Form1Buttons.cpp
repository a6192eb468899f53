#include "forms/main/Form1Buttons.h"

#include "controls/xpbutton/PlaceFromSavedSet.h"
#include "controls/xpbutton/XPButton.h"

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

xpbutton::XPButton* PlaceButton(const QString& name, QWidget* parent, const QRect& geometry,
                                std::function<void()> onClick) {
    auto* button =
        xpbutton::PlaceFromSavedSet(QString::fromUtf8(kForm1ButtonSets), name, parent, geometry);
    if (button != nullptr)
        QObject::connect(button, &xpbutton::XPButton::Click, button, [onClick] { onClick(); });
    return button;
}

} // namespace korven::forms
