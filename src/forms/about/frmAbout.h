#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace korven::forms {

// The About window: a fixed disclaimer text, a red warning and an "OK" button.
// At most one exists at a time; it is modeless and has no owner, so the window that
// opened it stays usable. Closing it (OK, Enter on OK, Escape, or the title bar)
// destroys it, which discards any edits made in its text box.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    // Creates the window if none exists, then shows it modeless and brings it to the
    // front. A second call while it is open shows the same window again.
    static frmAbout* ShowModeless();
    // The open window, or nullptr when there is none.
    static frmAbout* Instance();

    QPlainTextEdit* Text2() const { return text2_; }
    QPushButton* cmdOK() const { return cmdOK_; }
    QLabel* lblDisclaimer() const { return lblDisclaimer_; }

    // Closes and so destroys this window.
    void cmdOK_Click();

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    frmAbout();
    ~frmAbout() override;

    void SetUpWindow();
    void CreateControls();
    void SetTabOrder();

    QPlainTextEdit* text2_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QLabel* lblDisclaimer_ = nullptr;
};

} // namespace korven::forms
