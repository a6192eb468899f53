#pragma once

#include "host/toolkit/DriveSource.h"
#include "host/toolkit/FolderReader.h"
#include "host/toolkit/MessageBox.h"
#include "host/toolkit/ProcessStarter.h"
#include "host/toolkit/UrlOpener.h"

#include <QString>
#include <functional>

namespace korven::host {

// Everything a window needs that touches the machine, passed in at construction. The
// pointers are not owned and must outlive the window. Real() gives the real services;
// tests fill in fakes (see tests/support/FakeHost.h).
struct HostServices {
    MessageBoxService* messages = nullptr;
    ProcessStarter* processes = nullptr;
    DriveSource* drives = nullptr;
    FolderReader* folders = nullptr;
    UrlOpener* urls = nullptr;
    std::function<QString()> programFolder;

    // The real services: process-wide objects that live until the program ends.
    static HostServices Real();
};

} // namespace korven::host
