// The SET menu: the whole set of sixteen system fonts from the choices Convert uses, with
// jpn0.pgf and kr0.pgf from the fonts chosen for them, made by one `ttf2pgf --set` run and
// reported by the rules Convert's report follows. It lives beside
// the designed window, in its own menu item, and leaves Convert as it is.

#include "forms/main/Form1.h"
#include "forms/main/Form1Texts.h"
#include "forms/main/ScriptFontsDialog.h"
#include "host/toolkit/DirListBox.h"
#include "host/toolkit/FileListBox.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

namespace korven::forms {

void Form1::CreateSetMenu() {
    set_ = menuBar()->addAction(QString::fromLatin1(texts::kMenuSet));
    set_->setObjectName(QStringLiteral("SET"));
    connect(set_, &QAction::triggered, this, &Form1::SET_Click);
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
    if (job_ || setJob_ || restoreJob_ || !CheckChoices()) {
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
    // The converter keeps the files it replaces, in the window's own backups.
    const app::ConverterInvocation invocation = app::BuildSetInvocation(
        settings_, app::PlatformCommandLineStyle(), services_.backupFolder());
    startedFitLine_ = app::FitReportLine(settings_);
    setJob_ =
        app::ConverterJob::Start(*services_.processes, app::ConverterJob::Kind::Set, invocation,
                                 folder, QString(), static_cast<int>(names.size()));
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
