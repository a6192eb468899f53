// The window's backups: Convert keeps the earlier file before it replaces it, and the RESTORE
// menu puts a backup back through the converter. Both live beside the designed window, in
// their own lines and menu item.

#include "converter/rules/FolderLock.h"
#include "converter/rules/FontFile.h"
#include "converter/rules/Journal.h"
#include "forms/main/Form1.h"
#include "forms/main/Form1Texts.h"
#include "forms/main/RestoreMenu.h"
#include "host/toolkit/FileListBox.h"

#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <algorithm>

namespace korven::forms {

bool Form1::KeepEarlierOutput(const QString& output) {
    const QFileInfo file(output);
    const app::KeptFiles kept =
        app::KeepEarlierFiles(services_.backupFolder(), file.path(), {file.fileName()});
    if (!kept.ok) {
        services_.messages->Show(app::NotKeptMessage(output, kept.error), texts::kFlagsStop,
                                 QString(), this);
    }
    return kept.ok;
}

void Form1::FinishInterruptedSet(const QString& folder) {
    const std::string local = QFile::encodeName(folder).toStdString();
    if (job_ || setJob_ || restoreJob_ || !converter::holdsInterruptedWrite(local)) {
        return;
    }
    // A run writing there now (another window's, or one in a terminal) holds the folder: its
    // journal is no leftover.
    const converter::FolderWriteLock lock = converter::FolderWriteLock::tryTake(local);
    if (lock.busy()) {
        return;
    }
    try {
        converter::finishInterruptedWrite(local);
        services_.messages->Show(app::InterruptedSetUndoneMessage(folder), texts::kFlagsPlain,
                                 QString(), this);
    } catch (const converter::FileError& e) {
        services_.messages->Show(
            app::InterruptedSetNotUndoneMessage(folder, QString::fromStdString(e.what())),
            texts::kFlagsStop, QString(), this);
    }
}

void Form1::CreateRestoreMenu() {
    restore_ = new RestoreMenu(this);
    menuBar()->addMenu(restore_);
    connect(restore_, &QMenu::aboutToShow, this,
            [this] { restore_->ShowBackups(app::ListBackups(services_.backupFolder())); });
    connect(restore_, &RestoreMenu::RestoreRequested, this, &Form1::RESTORE_Click);
}

void Form1::RESTORE_Click(const QString& path) {
    // One converter at a time: a Convert or SET under way writes into a folder too.
    if (job_ || setJob_ || restoreJob_) {
        return;
    }
    const QList<app::BackupEntry> backups = app::ListBackups(services_.backupFolder());
    const auto backup = std::find_if(backups.begin(), backups.end(),
                                     [&](const app::BackupEntry& b) { return b.path == path; });
    if (backup == backups.end()) {
        return; // gone since the menu was filled
    }
    const int answer = services_.messages->Show(app::RestoreQuestion(*backup), texts::kFlagsReplace,
                                                QString::fromLatin1(texts::kReplaceTitle), this);
    if (answer != host::MessageBoxResult::Yes) {
        return;
    }
    restoreJob_ = app::ConverterJob::Start(*services_.processes, app::ConverterJob::Kind::Restore,
                                           app::BuildRestoreInvocation(settings_, path), QString());
    if (restoreJob_->Handle().State() == host::ProcessState::FailedToStart) {
        RestoreFinished();
        return;
    }
    // Reported when the converter ends, not by looking again and again.
    connect(&restoreJob_->Handle(), &host::ProcessHandle::Finished, this, &Form1::RestoreFinished);
    ShowBusyPointer(true);
}

void Form1::RestoreFinished() {
    if (!restoreJob_) {
        return;
    }
    const app::JobVerdict verdict = restoreJob_->Verdict();
    restoreJob_.reset();
    file2_->Refresh(); // the files put back may be the ones shown
    ShowBusyPointer(false);
    services_.messages->Show(verdict.message, verdict.flags, QString(), this, verdict.details);
}

} // namespace korven::forms
