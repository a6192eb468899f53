#pragma once

#include "app/ConversionSettings.h"
#include "app/ConverterJob.h"
#include "app/DriveEnumeration.h"
#include "app/FontPick.h"
#include "app/FontSetJob.h"
#include "app/RememberedChoices.h"
#include "host/seams/FolderReader.h"
#include "host/toolkit/HostServices.h"

#include <QMainWindow>
#include <memory>

class QAction;
class QMenu;
class QComboBox;
class QLabel;
class QLineEdit;
class QMimeData;

namespace korven::host {
class DirListBox;
class DriveListBox;
class FileListBox;
class Timer;
} // namespace korven::host

namespace korven::xpbutton {
class XPButton;
}

namespace korven::forms {

class FramePanel;
class CharactersMenu;
class FitMenu;
class RestoreMenu;
class LinkLabel;

// The main converter window. Everything that touches the machine comes in through
// HostServices, so tests drive the handlers with fakes; the handlers are public and named
// after their control and event, so a test can run one exactly as the toolkit would.
//
// Constructing the window loads it: the controls are created and Form_Load runs. The other
// windows it deals with are reached through its signals, which start-up connects, so that no
// window includes another; a test that loads this window alone may leave them unconnected.
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(host::HostServices services, QWidget* parent = nullptr);
    ~Form1() override;

    const app::ConversionSettings& Settings() const { return settings_; }
    // The window's content area: everything below the menu bar.
    QWidget* Client() const { return client_; }

    // Controls, by the names they carry in the layout.
    host::Timer* Timer1() const { return timer1_; }
    host::Timer* Timer2() const { return timer2_; }
    FramePanel* Frame1() const { return frame1_; }
    FramePanel* Frame2() const { return frame2_; }
    FramePanel* Frame3() const { return frame3_; }
    QLabel* Label6() const { return label6_; }
    QLabel* Image2() const { return image2_; }
    LinkLabel* Label1() const { return label1_; }
    host::DriveListBox* Drive1() const { return drive1_; }
    host::DirListBox* Dir1() const { return dir1_; }
    host::FileListBox* File1() const { return file1_; }
    host::DriveListBox* Drive2() const { return drive2_; }
    host::DirListBox* Dir2() const { return dir2_; }
    host::FileListBox* File2() const { return file2_; }
    QComboBox* Combo1() const { return combo1_; }
    QLineEdit* Text1() const { return text1_; }
    QLabel* Label2() const { return label2_; }
    QLabel* Label3() const { return label3_; }
    QLabel* Label4() const { return label4_; }
    QLabel* Label5() const { return label5_; }
    xpbutton::XPButton* XPButton1() const { return xpButton1_; }
    xpbutton::XPButton* XPButton2() const { return xpButton2_; }
    QAction* INFO() const { return info_; }
    QAction* PREVIEW() const { return preview_; }
    CharactersMenu* CHARACTERS() const { return characters_; }
    FitMenu* FIT() const { return fit_; }
    QAction* DEFAULTS() const { return defaults_; }
    QAction* SET() const { return set_; }
    // Beside SET: the fonts for jpn0.pgf and kr0.pgf.
    QAction* SCRIPTS() const { return scripts_; }
    // The SET FONTS menu, which holds SCRIPTS and SERIF: the fonts SET takes beside the picked
    // one.
    QMenu* SETFONTS() const { return setFonts_; }
    QAction* SERIF() const { return serif_; }
    // SERIF: choose the font of the serif files, or, when one is chosen, go back to the picked
    // font's family.
    void SERIF_Click();
    RestoreMenu* RESTORE() const { return restore_; }

    // The job under way, if any (for tests and for a status line).
    app::ConverterJob* Job() const { return job_.get(); }
    app::ConverterJob* SetJob() const { return setJob_.get(); }

    void Form_Load();
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void Drive2_Change();
    void Dir2_Change();
    void Combo1_Click();
    void Text1_Change();
    void XPButton2_Click();
    void StartConversion();
    void Timer1_Timer(int index);
    void Timer2_Timer();
    void INFO_Click();
    void PREVIEW_Click();
    // The CHARACTERS menu's choice changed: Convert and PREVIEW use the new one.
    void CHARACTERS_Click();
    // The choices of this window that last from one run to the next, and taking them back:
    // menus as they were, and the panes at their folders where those still exist.
    app::RememberedChoices Choices() const;
    void Recall(const app::RememberedChoices& choices);
    // The DEFAULTS menu item: the added menus' choices as on a first start.
    void DEFAULTS_Click();
    // The FIT menu: fit to the handheld's own sizes, or pick (or clear) the folder of the
    // user's own copies of its fonts.
    void FIT_Click();
    void LIKE_Click();
    // The SET menu: all sixteen system fonts from the current choices, and jpn0.pgf and
    // kr0.pgf when fonts were chosen for them, in one converter run.
    void SET_Click();
    // Opens the choice of fonts for jpn0.pgf and kr0.pgf (window-modal, not waited for); SET
    // and PREVIEW use them once it is accepted.
    void SCRIPTS_Click();
    // The set's converter ended: its report.
    void SetFinished();
    // Convert's converter ended: reported now when the designed wait is over, otherwise at
    // its tick.
    void ConvertFinished();
    // The RESTORE menu: puts the backup at `path` back after asking.
    void RESTORE_Click(const QString& path);

    // Picks the font file at `path` exactly as a user would: its folder is opened in the
    // source pane and the file clicked. Returns an empty string when it was picked,
    // otherwise why not, in words for the user; nothing is picked then.
    QString PickFontFile(const QString& path);
    // A font given to the program to open (its command line): picked, or a warning box
    // naming the path and saying why not.
    void OpenFontFile(const QString& path);
    // The font file a drag carries, or an empty string when it carries anything else: one
    // local file (not a folder) named like the fonts the source pane lists.
    QString DraggedFontFile(const QMimeData* data) const;
    void Label1_MouseMove();
    void Form_MouseMove();
    void Label1_Click();
    void XPButton1_Click();

signals:
    // The INFO menu: show the About window, modeless.
    void aboutRequested();
    // The PREVIEW menu: show the preview of the file Convert would write for these choices.
    void previewRequested(const korven::app::ConversionSettings& settings);
    // The font, size or shadow changed, so an open preview can follow.
    void settingsChanged(const korven::app::ConversionSettings& settings);
    // The window is closing with every window it opened: what it holds may be kept.
    void closing();
    // The DEFAULTS item was chosen: kept choices are to be forgotten.
    void defaultsRestored();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void SetUpWindow();
    void CreateMenu();
    void CreateTimers();
    void CreateButtons();
    void CreateFrames();
    void CreatePanes();
    void CreateOptions();
    void CreatePicturesAndLabels();
    void SetTabOrder();
    void ConnectHandlers();
    void NotifySettingsChanged();
    // The report's details with the fitting line added to a success.
    QString WithFitLine(const app::JobVerdict& verdict) const;
    void CreateSetMenu();
    // Keeps the earlier output in the window's backups before Convert replaces it; false,
    // after telling the user why, when it cannot be kept (Convert then does not start).
    bool KeepEarlierOutput(const QString& output);
    void CreateRestoreMenu();
    // A set into `folder` that ended half way (its journal is there) is undone before the
    // folder is shown, and the user told; nothing happens while a converter runs.
    void FinishInterruptedSet(const QString& folder);
    void RestoreFinished();
    // The font, size and shadow are there and valid; otherwise the user is asked for them.
    bool CheckChoices();

    void ShowWaitingLook();
    void ShowIdleLook();
    // A busy pointer over the window while the converter runs.
    void ShowBusyPointer(bool busy);
    void ReportDriveFailure(host::FolderError error);
    // Makes the destination folder when the folder list is ahead of the disk (the emulator's
    // font folder before anything was written there); false, after telling the user why,
    // when it cannot be made.
    bool MakeDestinationFolder();
    // Takes back the folders MakeDestinationFolder made when nothing was written into them.
    void TakeBackMadeFolders();
    static QString LinkUrl();
    void ReportFolderOpenFailure(host::FolderError error, const QString& path);

    host::HostServices services_;
    // The destination pane's drives: the machine's, and the emulator's memory sticks.
    app::DestinationDriveSource destinationDrives_;
    app::ConversionSettings settings_;
    std::unique_ptr<app::ConverterJob> job_;
    std::unique_ptr<app::ConverterJob> setJob_;
    QStringList madeFolders_; // made for the job under way, outermost first
    bool placed_ = false;
    bool busy_ = false;

    QWidget* client_ = nullptr;
    QAction* info_ = nullptr;
    QAction* preview_ = nullptr;
    CharactersMenu* characters_ = nullptr;
    FitMenu* fit_ = nullptr;
    QAction* defaults_ = nullptr;
    // What the report of the job under way says about fitting (empty: not fitted), taken
    // when it started so that a change of the menu meanwhile does not change the report.
    QString startedFitLine_;
    QAction* set_ = nullptr;
    QAction* scripts_ = nullptr;
    QMenu* setFonts_ = nullptr;
    QAction* serif_ = nullptr;
    // Shows the serif font in use on its item, checked; none: the picked font's family.
    void ShowSerifFont();
    RestoreMenu* restore_ = nullptr;
    // The converter putting a backup back, until its end is reported.
    std::unique_ptr<app::ConverterJob> restoreJob_;
    host::Timer* timer1_ = nullptr;
    host::Timer* timer2_ = nullptr;
    xpbutton::XPButton* xpButton2_ = nullptr;
    xpbutton::XPButton* xpButton1_ = nullptr;
    FramePanel* frame1_ = nullptr;
    FramePanel* frame2_ = nullptr;
    FramePanel* frame3_ = nullptr;
    QLabel* label6_ = nullptr;
    QLabel* image2_ = nullptr;
    LinkLabel* label1_ = nullptr;
    host::DriveListBox* drive1_ = nullptr;
    host::DirListBox* dir1_ = nullptr;
    host::FileListBox* file1_ = nullptr;
    host::DriveListBox* drive2_ = nullptr;
    host::DirListBox* dir2_ = nullptr;
    host::FileListBox* file2_ = nullptr;
    QComboBox* combo1_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QLabel* label3_ = nullptr;
    QLabel* label5_ = nullptr;
    QLabel* label4_ = nullptr;
    QLabel* label2_ = nullptr;
};

} // namespace korven::forms
