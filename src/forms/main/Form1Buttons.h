#pragma once

#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>

namespace korven::xpbutton {
class XPButton;
}

namespace korven::forms {

// The saved property sets of the window's two push buttons, in their text form, one
// [NAME] section per button.
extern const char kForm1ButtonSets[];

// Creates the push button `name` from its saved property set, puts it on `parent` at
// `geometry` (pixels) and runs `onClick` on its Click event. Returns the button, or nullptr
// when the set is missing or cannot be read (the window then goes without that button
// rather than failing to open).
xpbutton::XPButton* PlaceButton(const QString& name, QWidget* parent, const QRect& geometry,
                                std::function<void()> onClick);

} // namespace korven::forms
