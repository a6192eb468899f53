#pragma once

#include "host/toolkit/HostServices.h"

namespace korven::forms {

class frmSplash;

// How the program starts: the disclaimer window is loaded and shown; its "&OK" loads the
// main window with `services` (the main window's load unloads the disclaimer) and shows
// it modeless. Returns the disclaimer window.
frmSplash* StartProgram(host::HostServices services = host::HostServices::Real());

} // namespace korven::forms
