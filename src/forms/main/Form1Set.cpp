// The SET menu: the whole set of sixteen system fonts from the choices Convert uses, made by
// one `ttf2pgf --set` run and reported by the rules Convert's report follows. It lives beside
// the designed window, in its own menu item, and leaves Convert as it is.

#include "forms/main/Form1.h"
#include "forms/main/Form1Texts.h"
#include "host/toolkit/DirListBox.h"
#include "host/toolkit/FileListBox.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>

namespace korven::forms {

void Form1::CreateSetMenu() {
    set_ = menuBar()->addAction(QString::fromLatin1(texts::kMenuSet));
    set_->setObjectName(QStringLiteral("SET"));
    connect(set_, &QAction::triggered, this, &Form1::SET_Click);
}

void Form1::SET_Click() {
    // One converter at a time: a Convert under way writes ltn0.pgf too.
    if (job_ || setJob_ || restoreJob_ || !CheckChoices()) {
        return;
    }
    const QString folder = app::SetFolder(settings_);
    const QStringList existing = app::ExistingSetFiles(folder);
    if (!existing.isEmpty()) {
        const int answer = services_.messages->Show(
            app::ReplaceSetQuestion(static_cast<int>(existing.size()), folder),
            texts::kFlagsReplace, QString::fromLatin1(texts::kReplaceTitle), this);
        if (answer != host::MessageBoxResult::Yes) {
            return;
        }
    }
    if (!MakeDestinationFolder()) {
        return;
    }
    ShowWaitingLook();
    // The converter keeps the files it replaces, in the window's own backups.
    const app::ConverterInvocation invocation = app::BuildSetInvocation(
        settings_, app::PlatformCommandLineStyle(), services_.backupFolder());
    startedFitLine_ = app::FitReportLine(settings_);
    setJob_ = app::ConverterJob::Start(*services_.processes, app::ConverterJob::Kind::Set,
                                       invocation, folder);
    if (setJob_->Handle().State() == host::ProcessState::FailedToStart) {
        const app::JobVerdict verdict = setJob_->Verdict();
        setJob_.reset();
        TakeBackMadeFolders();
        ShowIdleLook();
        services_.messages->Show(verdict.message, verdict.flags, QString(), this, verdict.details);
        return;
    }
    // Reported when the converter ends, not by looking again and again.
    connect(&setJob_->Handle(), &host::ProcessHandle::Finished, this, &Form1::SetFinished);
    set_->setEnabled(false);
    ShowBusyPointer(true);
}

void Form1::SetFinished() {
    if (!setJob_ || setJob_->Reported()) {
        return;
    }
    const app::JobVerdict verdict = setJob_->Verdict();
    if (!verdict.finished) {
        return;
    }
    setJob_->MarkReported();
    label6_->hide();
    TakeBackMadeFolders();
    if (dir2_->Ahead()) {
        dir2_->Refresh();
    }
    file2_->Refresh();
    ShowBusyPointer(false);
    services_.messages->Show(verdict.message, verdict.flags, QString(), this, WithFitLine(verdict));
    ShowIdleLook();
    setJob_.reset();
    set_->setEnabled(true);
}

} // namespace korven::forms
