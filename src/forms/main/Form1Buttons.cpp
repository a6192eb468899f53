#include "forms/main/Form1Buttons.h"

#include "controls/xpbutton/PlaceFromSavedSet.h"
#include "controls/xpbutton/XPButton.h"

namespace korven::forms {

const xpbutton::SavedButton kXPButton2Saved{
    .ButtonType = 3,
    .Caption = QStringLiteral("&Convert Font"),
    .Enabled = true,
    .Font =
        host::SavedFont{.face = QStringLiteral("MS Sans Serif"), .sizePoints = 8.25, .weight = 700},
    .ColorScheme = 1,
    .ShowFocusRect = true,
    .BackColor = 0x00E3DFE0,
    .ForeColor = 0x00000000,
};

const xpbutton::SavedButton kXPButton1Saved{
    .ButtonType = 3,
    .Caption = QStringLiteral("&Exit"),
    .Enabled = true,
    .Font =
        host::SavedFont{.face = QStringLiteral("MS Sans Serif"), .sizePoints = 9.75, .weight = 700},
    .ColorScheme = 1,
    .ShowFocusRect = true,
    .BackColor = 0x00E3DFE0,
    .ForeColor = 0x00000000,
};

xpbutton::XPButton* PlaceButton(const xpbutton::SavedButton& saved, const QString& name,
                                QWidget* parent, const QRect& geometry,
                                std::function<void()> onClick) {
    auto* button = xpbutton::PlaceFromSavedSet(saved, name, parent, geometry);
    if (button != nullptr)
        QObject::connect(button, &xpbutton::XPButton::Click, button, [onClick] { onClick(); });
    return button;
}

} // namespace korven::forms
