#pragma once

#include "host/seams/ProgramInfo.h"

#include <QWidget>
#include <functional>

class QGroupBox;
class QLabel;

namespace korven::xpbutton {
class XPButton;
}

namespace korven::forms {

// What the disclaimer window takes from outside. The defaults are the real program's;
// tests replace them.
struct SplashServices {
    std::function<QString()> programTitle = host::ProgramTitle;
    std::function<host::ProgramVersion()> programVersion = host::Version;
    // "&OK": loads the main window (whose load unloads this window) and shows it.
    std::function<void()> continueToMain;
};

// The first window of the program: names it and its version, warns in two languages
// that it is used at one's own risk, and offers "&OK" (go on to the main window) and
// "&EXIT" (end the program). It has no title bar and cannot be resized.
class frmSplash : public QWidget {
    Q_OBJECT

public:
    // Creates the window, runs its load step and shows it, centred. Only one exists at
    // a time; a second call shows the existing one.
    static frmSplash* LoadAndShow(SplashServices services);
    // The loaded window, or nullptr once it has been unloaded.
    static frmSplash* Instance();
    // Unloads the window if it is loaded. The main window's load step calls this; the
    // window goes away once the handler that is running has returned.
    static void UnloadIfLoaded();

    xpbutton::XPButton* XPButton1() const { return xpButton1_; }
    xpbutton::XPButton* XPButton2() const { return xpButton2_; }
    QGroupBox* Frame1() const { return frame1_; }
    QLabel* Label1() const { return label1_; }
    QLabel* Label2() const { return label2_; }
    QLabel* Image1() const { return image1_; }
    QLabel* imgLogo() const { return imgLogo_; }
    QLabel* lblWarning() const { return lblWarning_; }
    QLabel* lblVersion() const { return lblVersion_; }
    QLabel* lblProductName() const { return lblProductName_; }

    void Form_Load();
    void XPButton1_Click();
    void XPButton2_Click();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    explicit frmSplash(SplashServices services);

    void SetUpWindow();
    void CreateFrame();
    void CreateButtons();
    void CreateLabels();
    void CreatePictures();
    void ConnectHandlers();

    SplashServices services_;
    QGroupBox* frame1_ = nullptr;
    xpbutton::XPButton* xpButton1_ = nullptr;
    xpbutton::XPButton* xpButton2_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* image1_ = nullptr;
    QLabel* imgLogo_ = nullptr;
    QLabel* lblWarning_ = nullptr;
    QLabel* lblVersion_ = nullptr;
    QLabel* lblProductName_ = nullptr;
};

} // namespace korven::forms
