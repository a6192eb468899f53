#pragma once

#include "controls/xpbutton/ButtonProperties.h"

#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>

namespace korven::xpbutton {
class XPButton;
}

namespace korven::forms {

// The saved property sets of the window's two push buttons.
extern const xpbutton::SavedButton kXPButton2Saved; // "&Convert Font"
extern const xpbutton::SavedButton kXPButton1Saved; // "&Exit"

// Creates the push button `name` from its saved property set, puts it on `parent` at
// `geometry` (pixels) and runs `onClick` on its Click event. Returns the button, or nullptr
// when the set does not load (the window then goes without that button rather than failing
// to open).
xpbutton::XPButton* PlaceButton(const xpbutton::SavedButton& saved, const QString& name,
                                QWidget* parent, const QRect& geometry,
                                std::function<void()> onClick);

} // namespace korven::forms
