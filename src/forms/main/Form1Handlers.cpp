// The main window's handlers: what each control's event does to the settings and the
// window. The controls themselves are built in Form1.cpp.

#include "app/CommandLine.h"
#include "app/DriveEnumeration.h"
#include "app/SourceFolder.h"
#include "forms/main/CharactersMenu.h"
#include "forms/main/FitMenu.h"
#include "forms/main/Form1.h"
#include "forms/main/Form1Layout.h"
#include "forms/main/Form1Texts.h"
#include "forms/main/FramePanel.h"
#include "forms/main/LinkLabel.h"
#include "host/seams/HostOperations.h"
#include "host/seams/Timer.h"
#include "host/toolkit/DirListBox.h"
#include "host/toolkit/DriveListBox.h"
#include "host/toolkit/FileListBox.h"
#include "host/toolkit/Windows.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

namespace korven::forms {

// The web address behind the link label, a build option (KORVEN_LINK_URL).
QString Form1::LinkUrl() {
    return QString::fromUtf8(KORVEN_LINK_URL);
}

namespace {

QString Text(const char* latin1) {
    return QString::fromLatin1(latin1);
}

// Where decimals are written with a comma, "1,5" is what people type for one and a half; the
// converter reads only a point, so the box says which one to use.
QString ShadowHint(const QString& shadow) {
    if (!shadow.contains(u',')) {
        return QString();
    }
    QString withPoint = shadow;
    withPoint.replace(u',', u'.');
    return QStringLiteral("Use a point for the decimal, not a comma: %1").arg(withPoint);
}

} // namespace

void Form1::Form_Load() {
    app::DriveRootList drives;
    // The count the destination drive list is refreshed by, so a memory stick that appears
    // is offered just as a plugged-in drive is.
    settings_.KnownDriveCount = app::EnumerateDrives(drives, destinationDrives_);
    settings_.FontFile.clear();
    host::ChangeCurrentDirectory(services_.programFolder());
    settings_.ProgramFolder = services_.programFolder();
    drive1_->SetDrive(settings_.ProgramFolder);
    // Installed, the program's folder holds programs, not fonts: the source pane opens where
    // the fonts are. The converter is still looked for beside the program.
    const QString sourceStart =
        app::SourcePaneStartFolder(settings_.ProgramFolder, QDir::homePath());
    if (sourceStart != settings_.ProgramFolder) {
        drive1_->SetDrive(sourceStart);
        dir1_->SetPath(sourceStart);
    }
    // Drive letters do not exist here: the program's "drive" is the volume that holds it.
    settings_.ProgramDriveRoot =
        host::DriveOfPath(settings_.ProgramFolder, services_.drives->Roots());
    for (int size = app::kMinFontSize; size <= app::kMaxFontSize; ++size) {
        combo1_->addItem(QString::number(size));
    }
    combo1_->setCurrentIndex(-1);
    // The folder lists may not have announced the folders they opened on; whatever they
    // show from now on is what the converter is given, so the destination shown is the one
    // written to.
    Dir1_Change();
    Dir2_Change();
    timer1_->SetEnabled(true);
    timer1_->SetInterval(layout::kTimer1Interval);
}

void Form1::ReportDriveFailure(host::FolderError error) {
    switch (error) {
    case host::FolderError::DeviceUnavailable:
        services_.messages->Show(Text(texts::kDeviceUnavailable), texts::kFlagsPlain, QString(),
                                 this);
        break;
    case host::FolderError::DiskNotReady:
        services_.messages->Show(Text(texts::kDiskNotReady), texts::kFlagsPlain, QString(), this);
        break;
    case host::FolderError::None:
    case host::FolderError::Other:
        break;
    }
}

// A folder the user opened in a list but that cannot be read: the list stays where it was,
// and the user learns why instead of seeing a double-click do nothing.
void Form1::ReportFolderOpenFailure(host::FolderError error, const QString& path) {
    QString reason;
    switch (error) {
    case host::FolderError::DeviceUnavailable:
        reason = QStringLiteral("the device is not available");
        break;
    case host::FolderError::DiskNotReady:
        reason = QStringLiteral("the disc is not ready");
        break;
    case host::FolderError::None:
        return;
    case host::FolderError::Other:
        reason = QStringLiteral("it cannot be read");
        break;
    }
    services_.messages->Show(
        QStringLiteral("The folder %1 cannot be opened: %2.").arg(path, reason), texts::kFlagsStop,
        QString(), this);
}

void Form1::Drive1_Change() {
    ReportDriveFailure(dir1_->SetPathToDrive(drive1_->Drive()));
}

void Form1::Dir1_Change() {
    file1_->SetPath(dir1_->Path());
    const QString folder = dir1_->Path();
    // A font picked in another folder must not be joined with this one.
    const bool pickDropped = folder != settings_.SourceFolder && !settings_.FontFile.isEmpty();
    if (folder != settings_.SourceFolder) {
        settings_.FontFile.clear();
    }
    settings_.SourceFolder = folder;
    if (pickDropped) {
        NotifySettingsChanged();
    }
}

void Form1::File1_Click() {
    const QString name = host::GetFileName(file1_->FileName());
    settings_.FontFile = name.isEmpty() ? QString() : host::PathSeparator() + name;
    NotifySettingsChanged();
}

void Form1::Drive2_Change() {
    drive2_->Refresh();
    ReportDriveFailure(dir2_->SetPathToDrive(drive2_->Drive()));
}

void Form1::Dir2_Change() {
    FinishInterruptedSet(dir2_->Path());
    file2_->SetPath(dir2_->Path());
    settings_.DestinationFolder = dir2_->Path();
    settings_.DestinationFolder += host::PathSeparator();
}

void Form1::Combo1_Click() {
    settings_.FontSize = combo1_->currentText();
    NotifySettingsChanged();
}

void Form1::Text1_Change() {
    settings_.ShadowValue = text1_->text();
    NotifySettingsChanged();
}

void Form1::XPButton2_Click() {
    // While a converter runs the pick is the job's: a second press starts nothing and has
    // nothing to say (a reminder box would outlive the report under it). The set under way
    // writes ltn0.pgf too.
    if (job_ || setJob_ || restoreJob_) {
        return;
    }
    if (!CheckChoices()) {
        return;
    }
    StartConversion();
}

bool Form1::CheckChoices() {
    if (settings_.FontFile.isEmpty()) {
        services_.messages->Show(Text(texts::kSelectFont), texts::kFlagsSelectFont,
                                 Text(texts::kSelectFontTitle), this);
        return false;
    }
    const char* invalid = nullptr;
    QString hint;
    if (!app::IsFontSize(settings_.FontSize)) {
        invalid = texts::kSelectSize;
    } else if (!app::IsShadowValue(settings_.ShadowValue)) {
        invalid = texts::kEnterShadow;
        hint = ShadowHint(settings_.ShadowValue);
    }
    if (invalid != nullptr) {
        services_.messages->Show(Text(invalid), texts::kFlagsSelectFont,
                                 Text(texts::kSelectFontTitle), this, hint);
        return false;
    }
    return true;
}

void Form1::ShowBusyPointer(bool busy) {
    // Set for the whole program, so that the controls with pointers of their own (the link,
    // the shadow box) show it too; taken back exactly once.
    if (busy && !busy_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (!busy && busy_) {
        QApplication::restoreOverrideCursor();
    }
    busy_ = busy;
}

void Form1::ShowWaitingLook() {
    frame1_->hide();
    frame2_->hide();
    label6_->show();
}

void Form1::ShowIdleLook() {
    label6_->hide();
    frame1_->show();
    frame2_->show();
}

void Form1::StartConversion() {
    const QString output = app::OutputFilePath(settings_);
    // A pick that does not open as a font is not worth the question: the converter refuses it
    // and says why, and the earlier file stays as it is.
    if (host::FileExists(output) && app::FontOpens(settings_.SourceFolder + settings_.FontFile)) {
        const int answer = services_.messages->Show(
            Text(texts::kReplaceQuestion), texts::kFlagsReplace, Text(texts::kReplaceTitle), this,
            app::WriteProtectionNote(output));
        if (answer != host::MessageBoxResult::Yes) {
            return;
        }
        if (!KeepEarlierOutput(output)) {
            return;
        }
    }
    if (!MakeDestinationFolder()) {
        return;
    }
    ShowWaitingLook();
    app::BuildCommandLine(settings_);
    const app::ConverterInvocation invocation = app::BuildConverterInvocation(settings_);
    startedFitLine_ = app::FitReportLine(settings_);
    // The line offered for running it by hand is the one a shell runs as started, not the
    // one-line command, which leaves blanks and quotes in paths bare.
    job_ = app::ConverterJob::Start(*services_.processes, app::ConverterJob::Kind::Convert,
                                    invocation, output, settings_.FontFile);
    if (job_->Handle().State() == host::ProcessState::FailedToStart) {
        // Nothing ran: back to idle with the pick kept, so the user can fix it and retry.
        const app::JobVerdict verdict = job_->Verdict();
        job_.reset();
        TakeBackMadeFolders();
        ShowIdleLook();
        services_.messages->Show(verdict.message, verdict.flags, QString(), this, verdict.details);
        return;
    }
    connect(&job_->Handle(), &host::ProcessHandle::Finished, this, &Form1::ConvertFinished);
    timer2_->SetInterval(layout::kTimer2Interval);
    timer2_->SetEnabled(true);
    // The pick is consumed: the list no longer shows it, so what is highlighted is what
    // Convert would use.
    settings_.FontFile.clear();
    file1_->ClearSelection();
    NotifySettingsChanged();
    ShowBusyPointer(true);
}

void Form1::Timer2_Timer() {
    if (!job_ || job_->Reported()) {
        return;
    }
    const app::JobVerdict verdict = job_->Verdict();
    if (!verdict.finished) {
        // Still converting after the designed wait: keep the waiting look; the converter's
        // end reports it (ConvertFinished).
        timer2_->SetEnabled(false);
        return;
    }
    job_->MarkReported();
    if (job_->Handle().State() == host::ProcessState::FailedToStart) {
        // Given back, and shown again, so the user can retry at once.
        settings_.FontFile = job_->PickedFont();
        file1_->SelectFile(host::GetFileName(settings_.FontFile));
        NotifySettingsChanged();
    }
    // The waiting text goes before the report; the panes come back once it is read.
    label6_->hide();
    TakeBackMadeFolders();
    if (dir2_->Ahead()) {
        dir2_->Refresh(); // the folder the converter wrote into is shown now that it exists
    }
    file2_->Refresh();
    ShowBusyPointer(false);
    services_.messages->Show(verdict.message, verdict.flags, QString(), this, WithFitLine(verdict));
    ShowIdleLook();
    timer2_->SetEnabled(false);
    timer2_->SetInterval(layout::kTimer2Interval);
    job_.reset();
}

void Form1::ConvertFinished() {
    // Before the designed wait is over its tick gives the report.
    if (!job_ || job_->Reported() || timer2_->Enabled()) {
        return;
    }
    Timer2_Timer();
}

bool Form1::MakeDestinationFolder() {
    madeFolders_.clear();
    if (!dir2_->Ahead()) {
        return true;
    }
    const host::MadeFolders made = host::MakeFolders(dir2_->Path());
    if (!made.ok) {
        services_.messages->Show(QStringLiteral("The folder %1 cannot be created: %2.")
                                     .arg(QDir::toNativeSeparators(dir2_->Path()), made.error),
                                 texts::kFlagsStop, QString(), this);
        return false;
    }
    madeFolders_ = made.made;
    return true;
}

void Form1::TakeBackMadeFolders() {
    if (madeFolders_.isEmpty()) {
        return;
    }
    // Emptiness decides: a folder the converter wrote into stays, one left empty goes.
    host::RemoveEmptyFolders(madeFolders_);
    const QString wanted = madeFolders_.last();
    madeFolders_.clear();
    // The folder list may have followed the folder onto the disk; with the folder gone again
    // it aims at it ahead of the disk once more, so the next conversion writes there too.
    if (!QFileInfo(wanted).isDir()) {
        dir2_->SetPathAhead(wanted);
    }
}

void Form1::Timer1_Timer(int /*index*/) {
    if (app::PollDriveCount(settings_, destinationDrives_)) {
        drive2_->Refresh();
    }
}

void Form1::INFO_Click() {
    emit aboutRequested();
}

void Form1::PREVIEW_Click() {
    emit previewRequested(settings_);
}

void Form1::CHARACTERS_Click() {
    settings_.ExtraCharacterSets = characters_->Chosen();
    NotifySettingsChanged();
}

void Form1::FIT_Click() {
    settings_.FitToHandheld = fit_->FitChosen();
    NotifySettingsChanged();
}

void Form1::LIKE_Click() {
    if (!settings_.OwnFontsFolder.isEmpty()) {
        settings_.OwnFontsFolder.clear();
    } else {
        const QString folder = services_.chooseFolder(
            this, QStringLiteral("The folder of your handheld's own font files"),
            settings_.DestinationFolder);
        if (!folder.isEmpty() && app::ExistingSetFiles(folder).isEmpty()) {
            services_.messages->Show(
                QStringLiteral("%1 holds none of the handheld's font files (ltn0.pgf to "
                               "ltn15.pgf).")
                    .arg(QDir::toNativeSeparators(folder)),
                texts::kFlagsPlain, QString(), this,
                QStringLiteral("Copy them from your handheld's flash0:/font folder first."));
        } else {
            settings_.OwnFontsFolder = folder;
        }
    }
    fit_->ShowOwnFolder(settings_.OwnFontsFolder);
    NotifySettingsChanged();
}

QString Form1::WithFitLine(const app::JobVerdict& verdict) const {
    if (!verdict.success || startedFitLine_.isEmpty())
        return verdict.details;
    return verdict.details + QLatin1Char('\n') + startedFitLine_;
}

void Form1::NotifySettingsChanged() {
    emit settingsChanged(settings_);
}

void Form1::Label1_MouseMove() {
    host::PumpEvents();
    label1_->setLook(true, layout::ColorFromBgr(layout::kLinkLitColor));
}

void Form1::Form_MouseMove() {
    label1_->setLook(false, layout::ColorFromBgr(layout::kLinkPlainColor));
}

void Form1::Label1_Click() {
    // Without a web browser the click would do nothing at all: the address is shown
    // instead, so the user can take it elsewhere.
    const QString url = LinkUrl();
    if (!services_.urls->Open(url, settings_.ProgramDriveRoot)) {
        services_.messages->Show(QStringLiteral("No web browser could be opened for the link."),
                                 texts::kFlagsPlain, QString(), this,
                                 QStringLiteral("The address is:\n%1").arg(url));
    }
}

void Form1::XPButton1_Click() {
    host::Unload(this);
}

} // namespace korven::forms
