// The main window's choices that last from one run to the next, and the DEFAULTS item that
// takes them back to a first start's.

#include "forms/main/CharactersMenu.h"
#include "forms/main/FitMenu.h"
#include "forms/main/Form1.h"
#include "host/toolkit/DirListBox.h"
#include "host/toolkit/DriveListBox.h"

#include <QAction>
#include <QFileInfo>

namespace korven::forms {

app::RememberedChoices Form1::Choices() const {
    app::RememberedChoices choices;
    choices.characterSets = settings_.ExtraCharacterSets;
    choices.fitToHandheld = settings_.FitToHandheld;
    choices.ownFontsFolder = settings_.OwnFontsFolder;
    choices.serifFont = settings_.SerifFont;
    choices.sourceFolder = dir1_->Path();
    choices.destinationFolder = dir2_->Path();
    return choices;
}

void Form1::Recall(const app::RememberedChoices& choices) {
    for (const QString& name : choices.characterSets)
        if (QAction* item = characters_->Item(name))
            item->setChecked(true);
    fit_->FitItem()->setChecked(choices.fitToHandheld);
    // A folder that went (a memory stick taken out) is not used, nor remembered again.
    if (QFileInfo(choices.ownFontsFolder).isDir() &&
        !app::ExistingSetFiles(choices.ownFontsFolder).isEmpty())
        settings_.OwnFontsFolder = choices.ownFontsFolder;
    fit_->ShowOwnFolder(settings_.OwnFontsFolder);
    if (QFileInfo(choices.serifFont).isFile())
        settings_.SerifFont = choices.serifFont;
    ShowSerifFont();
    if (QFileInfo(choices.sourceFolder).isDir() && drive1_->SetDrive(choices.sourceFolder) &&
        dir1_->SetPath(choices.sourceFolder) == host::FolderError::None)
        Dir1_Change();
    if (QFileInfo(choices.destinationFolder).isDir() &&
        drive2_->SetDrive(choices.destinationFolder) &&
        dir2_->SetPath(choices.destinationFolder) == host::FolderError::None)
        Dir2_Change();
    NotifySettingsChanged();
}

void Form1::DEFAULTS_Click() {
    for (QAction* item : characters_->actions())
        item->setChecked(false);
    fit_->FitItem()->setChecked(false);
    settings_.OwnFontsFolder.clear();
    fit_->ShowOwnFolder(settings_.OwnFontsFolder);
    settings_.SerifFont.clear();
    ShowSerifFont();
    NotifySettingsChanged();
    emit defaultsRestored();
}

} // namespace korven::forms
