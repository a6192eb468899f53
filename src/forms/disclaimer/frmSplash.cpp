#include "forms/disclaimer/frmSplash.h"

#include "controls/xpbutton/PlaceFromSavedSet.h"
#include "controls/xpbutton/XPButton.h"
#include "forms/disclaimer/SplashLayout.h"
#include "forms/disclaimer/SplashTexts.h"
#include "host/surface/InstalledFamily.h"
#include "host/toolkit/DesignFonts.h"
#include "host/toolkit/WindowLayout.h"
#include "host/toolkit/Windows.h"
#include "korven/Artwork.h"

#include <QEventLoopLocker>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <qdrawutil.h>

namespace korven::forms {

namespace {

QFont WarningFont() {
    QFont font = host::DesignFont(QStringLiteral("Arial"), 12, true);
    font.setUnderline(true);
    return font;
}

// The large title face is a small-caps sans; where it is not installed, a plain sans
// drawn in small capitals keeps the look and the width close.
QFont TitleFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Siemens Sans SC"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(27.75);
    font.setBold(true);
    font.setCapitalization(QFont::SmallCaps);
    return host::WithInstalledFamily(font);
}

// A frame without a caption, drawn as the classic etched line (a shadow line with a
// highlight line inside and below it) exactly along its edge. The toolkit's own group box
// sets its border in from the edge and in a shade that hardly shows on the window.
class EtchedFrame final : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect edge = rect().adjusted(0, 0, -1, -1);
        p.setPen(palette().color(QPalette::Light));
        p.drawRect(edge.adjusted(1, 1, 0, 0));
        p.setPen(palette().color(QPalette::Dark));
        p.drawRect(edge.adjusted(0, 0, -1, -1));
    }
};

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QRect& box) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(box);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

void Colourise(QLabel* label, std::uint32_t bgr) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, host::ColorFromBgr(bgr));
    label->setPalette(palette);
}

// A label that sizes itself to its text keeps its left and top edges where they were
// drawn and grows or shrinks to the right and downwards.
void FitToText(QLabel* label) {
    label->resize(label->sizeHint());
}

} // namespace

namespace {

host::SingleWindow<frmSplash> openWindow;

} // namespace

frmSplash* frmSplash::Instance() {
    return openWindow.Get();
}

frmSplash* frmSplash::LoadAndShow(SplashServices services) {
    frmSplash* window = openWindow.Load([&services] {
        auto* created = new frmSplash(std::move(services));
        created->Form_Load();
        host::CentreOnScreen(created);
        return created;
    });
    host::ShowModeless(window);
    window->xpButton1_->setFocus(Qt::OtherFocusReason);
    return window;
}

void frmSplash::UnloadIfLoaded() {
    openWindow.Unload();
}

frmSplash::frmSplash(SplashServices services) : QWidget(nullptr), services_(std::move(services)) {
    SetUpWindow();
    CreateFrame();
    CreateButtons();
    CreateLabels();
    CreatePictures();
    ConnectHandlers();
}

void frmSplash::SetUpWindow() {
    setObjectName(QStringLiteral("frmSplash"));
    // A dialog frame with no title bar: no caption, no close, minimise or maximise box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint);
    setWindowTitle(QString());
    setWindowIcon(assets::ApplicationIcon());
    setFixedSize(splash::kClientSize);
}

void frmSplash::CreateFrame() {
    frame1_ = new EtchedFrame(this);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    frame1_->setGeometry(splash::kFrame1);
}

void frmSplash::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    // The window manager gives a window without a title bar no border at all; the fixed
    // dialog frame is drawn on the window's own outer pixels instead, clear of Frame1.
    QPainter p(this);
    qDrawWinPanel(&p, rect(), palette(), false);
}

void frmSplash::CreateButtons() {
    xpButton1_ = xpbutton::PlaceFromSavedSet(splash::kXPButton1Saved, QStringLiteral("XPButton1"),
                                             frame1_, splash::kXPButton1);
    xpButton2_ = xpbutton::PlaceFromSavedSet(splash::kXPButton2Saved, QStringLiteral("XPButton2"),
                                             frame1_, splash::kXPButton2);
    // Only the two buttons take focus; Tab goes from one to the other and back.
    setTabOrder(xpButton1_, xpButton2_);
}

void frmSplash::CreateLabels() {
    label2_ =
        MakeLabel(frame1_, "Label2", QString::fromLatin1(splash::kItalianWarning), splash::kLabel2);
    label2_->setFont(WarningFont());
    Colourise(label2_, splash::kWarningColor);

    label1_ =
        MakeLabel(frame1_, "Label1", QString::fromLatin1(splash::kGuiCaption), splash::kLabel1);
    label1_->setFont(TitleFont());

    lblWarning_ = MakeLabel(frame1_, "lblWarning", QString::fromLatin1(splash::kEnglishWarning),
                            splash::kLblWarning);
    lblWarning_->setFont(WarningFont());
    Colourise(lblWarning_, splash::kWarningColor);

    lblVersion_ = MakeLabel(frame1_, "lblVersion", QString::fromLatin1(splash::kVersionPlaceholder),
                            splash::kLblVersion);
    lblVersion_->setAlignment(Qt::AlignRight | Qt::AlignTop);
    lblVersion_->setFont(host::DesignFont(QStringLiteral("Arial"), 12, true));
    FitToText(lblVersion_);

    lblProductName_ =
        MakeLabel(frame1_, "lblProductName", QString::fromLatin1(splash::kProductPlaceholder),
                  splash::kLblProductName);
    lblProductName_->setFont(TitleFont());
    FitToText(lblProductName_);
}

void frmSplash::CreatePictures() {
    image1_ = MakeLabel(frame1_, "Image1", QString(), splash::kImage1);
    image1_->setScaledContents(true);
    // The picture drawn for the screen's density: a scaled screen gets more pixels, not an
    // enlargement, in the same room.
    image1_->setPixmap(assets::LoadPicture(assets::kDisclaimerBannerPath, devicePixelRatio()));

    imgLogo_ = MakeLabel(frame1_, "imgLogo", QString(), splash::kImgLogo);
    imgLogo_->setScaledContents(true);
    imgLogo_->setPixmap(assets::LoadPicture(assets::kIconPath, devicePixelRatio()));
}

void frmSplash::ConnectHandlers() {
    connect(xpButton1_, &xpbutton::XPButton::Click, this, &frmSplash::XPButton1_Click);
    connect(xpButton2_, &xpbutton::XPButton::Click, this, &frmSplash::XPButton2_Click);
}

void frmSplash::Form_Load() {
    lblVersion_->setText(splash::VersionCaption(services_.programVersion()));
    FitToText(lblVersion_);
    lblProductName_->setText(services_.programTitle());
    FitToText(lblProductName_);
}

void frmSplash::XPButton1_Click() {
    // The main window's load unloads this window while this handler is still running.
    // Work from a copy of the action so nothing of this window is needed afterwards, and
    // keep the program alive through the moment when no window is visible.
    QEventLoopLocker keepRunning;
    const std::function<void()> continueToMain = services_.continueToMain;
    if (continueToMain) {
        continueToMain();
    }
}

void frmSplash::XPButton2_Click() {
    host::Unload(this);
}

} // namespace korven::forms
