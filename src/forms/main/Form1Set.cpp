// The SET menu: the whole set of sixteen system fonts from the choices Convert uses, made by
// one `ttf2pgf --set` run and reported by the rules Convert's report follows. It lives beside
// the designed window, in its own menu item, and leaves Convert as it is.

#include "forms/main/Form1.h"
#include "forms/main/Form1Texts.h"
#include "host/seams/Timer.h"
#include "host/toolkit/DirListBox.h"
#include "host/toolkit/FileListBox.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>

namespace korven::forms {

namespace {

// The set is done in well under a second, so it is looked at often rather than once after
// Convert's long wait.
constexpr int kSetPollInterval = 250;

} // namespace

void Form1::CreateSetMenu() {
    set_ = menuBar()->addAction(QString::fromLatin1(texts::kMenuSet));
    set_->setObjectName(QStringLiteral("SET"));
    setTimer_ = new host::Timer(this);
    setTimer_->setObjectName(QStringLiteral("SetTimer"));
    connect(set_, &QAction::triggered, this, &Form1::SET_Click);
    connect(setTimer_, &host::Timer::Tick, this, &Form1::SetTimer_Timer);
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
    const app::SetSnapshot before = app::TakeSetSnapshot(folder);
    auto handle = services_.processes->Start(invocation.program, invocation.arguments);
    const bool failedToStart = handle->State() == host::ProcessState::FailedToStart;
    setJob_ = std::make_unique<app::FontSetJob>(std::move(handle), invocation.program,
                                                app::ShellCommandLine(invocation), folder, before);
    if (failedToStart) {
        const app::JobVerdict verdict = app::JudgeSet(setJob_->Observe(), {});
        setJob_.reset();
        TakeBackMadeFolders();
        ShowIdleLook();
        services_.messages->Show(verdict.message, verdict.flags, QString(), this, verdict.details);
        return;
    }
    set_->setEnabled(false);
    setTimer_->SetInterval(kSetPollInterval);
    setTimer_->SetEnabled(true);
    ShowBusyPointer(true);
}

void Form1::SetTimer_Timer() {
    if (!setJob_ || setJob_->Reported()) {
        return;
    }
    const app::ConverterObservation seen = setJob_->Observe();
    const app::JobVerdict verdict = app::JudgeSet(seen, setJob_->Written());
    if (!verdict.finished) {
        return;
    }
    setJob_->MarkReported();
    setTimer_->SetEnabled(false);
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
