#include "host/toolkit/HostServices.h"

#include "host/seams/ProgramInfo.h"
#include "host/toolkit/QtMessageBox.h"

#include <QFileDialog>
#include <QStandardPaths>

namespace korven::host {

HostServices HostServices::Real() {
    // Process-wide and never destroyed before the windows that use them.
    static QtMessageBoxService messages;
    static QtProcessStarter processes;
    static SystemDriveSource drives;
    static SystemFolderReader folders;
    static DesktopUrlOpener urls;
    HostServices services;
    services.messages = &messages;
    services.processes = &processes;
    services.drives = &drives;
    services.folders = &folders;
    services.urls = &urls;
    services.programFolder = &SystemProgramFolder;
    services.choicesFile =
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/choices.ini";
    services.backupFolder = [] {
        return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
               QStringLiteral("/backups");
    };
    services.chooseFolder = [](QWidget* parent, const QString& title, const QString& start) {
        return QFileDialog::getExistingDirectory(parent, title, start);
    };
    services.chooseFontFile = [](QWidget* parent, const QString& title, const QString& start) {
        return QFileDialog::getOpenFileName(
            parent, title, start,
            QStringLiteral("Fonts (*.ttf *.otf *.ttc *.TTF *.OTF *.TTC);;"
                           "All files (*)"));
    };
    return services;
}

} // namespace korven::host
