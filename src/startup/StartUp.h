#pragma once

#include "host/toolkit/HostServices.h"

namespace korven::forms {
class frmSplash;
}

namespace korven::startup {

// How the program starts: the disclaimer window is loaded and shown; its "&OK" loads the
// main window with `services` and shows it modeless. The main window's load step ends by
// unloading the disclaimer, and its INFO menu opens the About window. Returns the
// disclaimer window.
//
// `fontToOpen`, when given (the program's argument, as a file manager's "Open with"
// passes it), is picked in the main window once that is shown, or reported in a box when
// it cannot be. A relative path is taken from the current directory at this call, before
// the main window moves it to the program's folder.
forms::frmSplash* StartProgram(host::HostServices services = host::HostServices::Real(),
                               const QString& fontToOpen = QString());

} // namespace korven::startup
