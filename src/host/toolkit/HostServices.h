#pragma once

#include "host/seams/DriveSource.h"
#include "host/seams/FolderReader.h"
#include "host/seams/MessageBox.h"
#include "host/seams/ProcessStarter.h"
#include "host/seams/UrlOpener.h"

#include <QString>

class QWidget;
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
    // The file the user's own added choices are kept in from one run to the next; empty:
    // nothing is remembered (tests, unless they ask for it).
    QString choicesFile;
    // The folder the window keeps its backups of replaced files in.
    std::function<QString()> backupFolder;
    // Asks the user for a folder, starting at `start`; an empty answer when they cancel.
    std::function<QString(QWidget* parent, const QString& title, const QString& start)>
        chooseFolder;
    // Asks the user for a font file, starting in `start`; an empty answer when they cancel.
    std::function<QString(QWidget* parent, const QString& title, const QString& start)>
        chooseFontFile;

    // The real services: process-wide objects that live until the program ends.
    static HostServices Real();
};

} // namespace korven::host
