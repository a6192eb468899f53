#include "forms/about/frmAbout.h"

#include "forms/about/AboutLayout.h"
#include "forms/about/AboutTexts.h"
#include "host/toolkit/DesignFonts.h"
#include "host/toolkit/WindowLayout.h"
#include "host/toolkit/Windows.h"
#include "korven/Artwork.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

namespace korven::forms {

namespace {

host::SingleWindow<frmAbout> openWindow;

} // namespace

frmAbout* frmAbout::Instance() {
    return openWindow.Get();
}

frmAbout* frmAbout::ShowModeless() {
    // Deleted on close: the next opening starts from the original text.
    frmAbout* window = openWindow.Load([] {
        auto* created = new frmAbout();
        host::CentreOnScreen(created);
        return created;
    });
    host::ShowModeless(window);
    return window;
}

frmAbout::frmAbout() : QDialog(nullptr) {
    SetUpWindow();
    CreateControls();
    SetTabOrder();
}

frmAbout::~frmAbout() = default;

void frmAbout::SetUpWindow() {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QString::fromLatin1(about::kCaption));
    setWindowIcon(assets::ApplicationIcon());
    setModal(false);
    setFixedSize(about::kClientSize);
    // The controls without a font of their own use the standard dialog font.
    setFont(host::StandardDialogFont());
}

void frmAbout::CreateControls() {
    text2_ = new QPlainTextEdit(this);
    text2_->setObjectName(QStringLiteral("Text2"));
    text2_->setGeometry(about::kText2);
    text2_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text2_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab moves on to the next control rather than typing a tab into the text.
    text2_->setTabChangesFocus(true);
    // The widget keeps lines apart by itself; the stored text's CR LF pairs become plain breaks.
    QString shown = about::DisclaimerText();
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text2_->setPlainText(shown);

    cmdOK_ = new QPushButton(QString::fromLatin1(about::kOkCaption), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setGeometry(about::kCmdOk);
    cmdOK_->setDefault(true);
    connect(cmdOK_, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    lblDisclaimer_ = new QLabel(QString::fromLatin1(about::kFlashWarning), this);
    lblDisclaimer_->setObjectName(QStringLiteral("lblDisclaimer"));
    lblDisclaimer_->setGeometry(about::kLblDisclaimer);
    QFont font = host::DesignFont(QStringLiteral("Arial"), 9.75, true);
    font.setUnderline(true);
    lblDisclaimer_->setFont(font);
    QPalette palette = lblDisclaimer_->palette();
    palette.setColor(QPalette::WindowText, host::ColorFromBgr(about::kWarningColor));
    lblDisclaimer_->setPalette(palette);
}

void frmAbout::SetTabOrder() {
    // The label takes no focus, so Tab alternates between the button and the text box.
    setTabOrder(cmdOK_, text2_);
    cmdOK_->setFocus(Qt::OtherFocusReason);
}

void frmAbout::cmdOK_Click() {
    close();
}

void frmAbout::reject() {
    // Escape and the title bar's close button unload the window like OK does.
    cmdOK_Click();
}

void frmAbout::closeEvent(QCloseEvent* event) {
    // Every way of closing ends here; the dialog's own handler would route back through
    // reject() and so into close() a second time.
    event->accept();
}

void frmAbout::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter p(this);
    // The white line lies directly under the grey hairline, so the pair reads as an
    // engraved groove between the text and the warning.
    p.fillRect(QRect(0, about::kSeparatorY + 1, about::kWhiteLineEndX, 2),
               host::ColorFromBgr(about::kWhiteLineColor));
    p.fillRect(QRect(0, about::kSeparatorY, about::kGreyLineEndX, 1),
               host::ColorFromBgr(about::kGreyLineColor));
}

} // namespace korven::forms
