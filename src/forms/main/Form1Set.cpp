// The SET menu: the whole set of sixteen system fonts from the choices Convert uses, with
// jpn0.pgf and kr0.pgf from the fonts chosen for them, made by one `ttf2pgf --set` run and
// reported by the rules Convert's report follows. It lives beside
// the designed window, in its own menu item, and leaves Convert as it is.

#include "forms/main/Form1.h"
#include "forms/main/Form1Texts.h"
#include "forms/main/ScriptFontsDialog.h"
#include "host/seams/Timer.h"
#include "host/toolkit/DirListBox.h"
#include "host/toolkit/FileListBox.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
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
    // Put on the menu bar after the other additions (see CreateMenu), which keep their places.
    setFonts_ = new QMenu(QStringLiteral("SET F&ONTS"), this);
    setFonts_->setObjectName(QStringLiteral("SETFONTS"));
    serif_ = setFonts_->addAction(QString());
    serif_->setObjectName(QStringLiteral("SERIF"));
    serif_->setCheckable(true);
    ShowSerifFont();
    connect(serif_, &QAction::triggered, this, &Form1::SERIF_Click);
    scripts_ = setFonts_->addAction(QStringLiteral("&Japanese and Korean too…"));
    scripts_->setObjectName(QStringLiteral("SCRIPTS"));
    connect(scripts_, &QAction::triggered, this, &Form1::SCRIPTS_Click);
}

void Form1::ShowSerifFont() {
    serif_->setChecked(!settings_.SerifFont.isEmpty());
    serif_->setText(settings_.SerifFont.isEmpty()
                        ? QStringLiteral("&Serif files from another font…")
                        : QStringLiteral("&Serif files from %1")
                              .arg(QFileInfo(settings_.SerifFont).fileName()));
}

void Form1::SERIF_Click() {
    if (!settings_.SerifFont.isEmpty()) {
        settings_.SerifFont.clear();
    } else {
        const QString font = services_.chooseFontFile(
            this, QStringLiteral("The font of the serif files"),
            settings_.SourceFolder.isEmpty() ? QString() : settings_.SourceFolder);
        if (!font.isEmpty() && !app::FontOpens(font))
            services_.messages->Show(QStringLiteral("%1 cannot be opened as a font.")
                                         .arg(QDir::toNativeSeparators(font)),
                                     texts::kFlagsPlain, QString(), this);
        else
            settings_.SerifFont = font;
    }
    ShowSerifFont();
    NotifySettingsChanged();
}

void Form1::SCRIPTS_Click() {
    auto* dialog = new ScriptFontsDialog(settings_, services_.chooseFontFile, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        for (int script = 0; script < app::kScriptFileCount; ++script)
            app::SetScriptFont(settings_, script, dialog->Font(script));
        NotifySettingsChanged();
    });
    dialog->open();
}

void Form1::SET_Click() {
    // One converter at a time: a Convert under way writes ltn0.pgf too.
    if (job_ || setJob_ || !CheckChoices()) {
        return;
    }
    const QString folder = app::SetFolder(settings_);
    const QStringList names = app::SetFileNames(settings_);
    const QStringList existing = app::ExistingSetFiles(folder, names);
    // As Convert: a pick that does not open as a font asks nothing and is refused by the run.
    if (!existing.isEmpty() && app::FontOpens(settings_.SourceFolder + settings_.FontFile)) {
        const int answer = services_.messages->Show(
            app::ReplaceSetQuestion(static_cast<int>(existing.size()), folder,
                                    static_cast<int>(names.size())),
            texts::kFlagsReplace, QString::fromLatin1(texts::kReplaceTitle), this);
        if (answer != host::MessageBoxResult::Yes) {
            return;
        }
    }
    if (!MakeDestinationFolder()) {
        return;
    }
    ShowWaitingLook();
    const app::ConverterInvocation invocation = app::BuildSetInvocation(settings_);
    startedFitLine_ = app::FitReportLine(settings_);
    const app::SetSnapshot before = app::TakeSetSnapshot(folder, names);
    auto handle = services_.processes->Start(invocation.program, invocation.arguments);
    const bool failedToStart = handle->State() == host::ProcessState::FailedToStart;
    setJob_ =
        std::make_unique<app::FontSetJob>(std::move(handle), invocation.program,
                                          app::ShellCommandLine(invocation), folder, before, names);
    if (failedToStart) {
        const app::JobVerdict verdict = app::JudgeSet(setJob_->Observe(), {}, setJob_->FileCount());
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
    const app::JobVerdict verdict =
        app::JudgeSet(seen, setJob_->Written(), setJob_->FileCount(), setJob_->ScriptNotes());
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
