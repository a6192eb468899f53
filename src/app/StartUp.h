#pragma once

#include "host/toolkit/HostServices.h"

namespace korven::forms {
class frmSplash;
}

namespace korven::app {

// How the program starts: the disclaimer window is loaded and shown; its "&OK" loads the
// main window with `services` and shows it modeless. The main window's load step ends by
// unloading the disclaimer, and its INFO menu opens the About window. Returns the
// disclaimer window.
forms::frmSplash* StartProgram(host::HostServices services = host::HostServices::Real());

} // namespace korven::app
