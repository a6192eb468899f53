#include "forms/disclaimer/frmSplash.h"

#include "controls/xpbutton/XPButton.h"
#include "forms/disclaimer/SplashTexts.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

using korven::forms::frmSplash;
using korven::forms::SplashServices;
using korven::host::ProgramVersion;

namespace {

void FlushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class Disclaimer : public ::testing::Test {
protected:
    void Open(ProgramVersion version = {1, 1, 0}) {
        SplashServices services;
        services.programTitle = [] { return QStringLiteral("KORVEN_Font_Coverter"); };
        services.programVersion = [version] { return version; };
        services.continueToMain = [this] { ++continued_; };
        window_ = frmSplash::LoadAndShow(services);
        ASSERT_NE(window_, nullptr);
        QApplication::setActiveWindow(window_);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
    }
    void TearDown() override {
        frmSplash::UnloadIfLoaded();
        FlushDeletes();
        ASSERT_EQ(frmSplash::Instance(), nullptr);
    }
    bool Gone() {
        FlushDeletes();
        return window_.isNull();
    }

    QPointer<frmSplash> window_;
    int continued_ = 0;
};

} // namespace

TEST(VersionCaption, WritesEachNumberInPlainDecimal) {
    using korven::forms::splash::VersionCaption;
    EXPECT_EQ(VersionCaption({1, 1, 0}), QStringLiteral("Version 1.1.0"));
    EXPECT_EQ(VersionCaption({10, 2, 15}), QStringLiteral("Version 10.2.15"));
    EXPECT_EQ(VersionCaption({0, 0, 0}), QStringLiteral("Version 0.0.0"));
    EXPECT_EQ(VersionCaption({65535, 9, 100}), QStringLiteral("Version 65535.9.100"));
}

TEST_F(Disclaimer, LoadFillsVersionAndProductAndTheLabelsWidenToFit) {
    Open({10, 2, 15});
    EXPECT_EQ(window_->lblVersion()->text(), QStringLiteral("Version 10.2.15"));
    EXPECT_EQ(window_->lblProductName()->text(), QStringLiteral("KORVEN_Font_Coverter"));
    for (const QLabel* label : {window_->lblVersion(), window_->lblProductName()}) {
        const QFontMetrics metrics(label->font());
        EXPECT_GE(label->width(), metrics.horizontalAdvance(label->text()))
            << label->objectName().toStdString();
        EXPECT_EQ(label->x(), label == window_->lblVersion() ? 144 : 8);
    }
    // The product name is far wider than the "Product" placeholder's drawn box.
    EXPECT_GT(window_->lblProductName()->width(), 144);
}

TEST_F(Disclaimer, RealBuildVersionIsShown) {
    SplashServices services;
    services.continueToMain = [] {};
    window_ = frmSplash::LoadAndShow(services);
    EXPECT_EQ(window_->lblVersion()->text(), QStringLiteral("Version 1.1.0"));
    EXPECT_EQ(window_->lblProductName()->text(), QStringLiteral("KORVEN_Font_Coverter"));
}

TEST_F(Disclaimer, IsAFixedUntitledWindowOfTheDrawnSize) {
    Open();
    EXPECT_EQ(window_->size(), QSize(517, 289));
    EXPECT_EQ(window_->minimumSize(), window_->maximumSize());
    EXPECT_TRUE(window_->windowTitle().isEmpty());
    const Qt::WindowFlags flags = window_->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowTitleHint);
    EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinMaxButtonsHint);
    EXPECT_FALSE(window_->windowIcon().isNull());
}

TEST_F(Disclaimer, PlacesEveryControlInsideTheFrameAsDrawn) {
    Open();
    EXPECT_EQ(window_->Frame1()->geometry(), QRect(8, 8, 503, 277));
    EXPECT_TRUE(window_->Frame1()->title().isEmpty());
    EXPECT_EQ(window_->XPButton1()->geometry(), QRect(400, 240, 97, 25));
    EXPECT_EQ(window_->XPButton2()->geometry(), QRect(8, 240, 97, 25));
    EXPECT_EQ(window_->Label2()->geometry(), QRect(8, 208, 457, 21));
    EXPECT_EQ(window_->Label1()->geometry(), QRect(368, 56, 97, 41));
    EXPECT_EQ(window_->Image1()->geometry(), QRect(304, 128, 163, 33));
    EXPECT_EQ(window_->imgLogo()->geometry(), QRect(32, 88, 97, 79));
    EXPECT_EQ(window_->lblWarning()->geometry(), QRect(8, 184, 417, 21));
    for (QWidget* child : window_->Frame1()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        EXPECT_EQ(child->parentWidget(), window_->Frame1());
    }
}

TEST_F(Disclaimer, DrawsTheFramesBorderAtItsPlaceAndAFixedDialogBorderAroundTheWindow) {
    Open();
    const QImage image = window_->grab().toImage();
    const QPalette& pal = window_->palette();
    // The etched line: shadow on the frame's first pixel, highlight inside it.
    EXPECT_EQ(image.pixel(8, 8), pal.color(QPalette::Dark).rgb());
    EXPECT_EQ(image.pixel(9, 9), pal.color(QPalette::Light).rgb());
    EXPECT_EQ(image.pixel(8 + 250, 8), pal.color(QPalette::Dark).rgb());
    // The window's own edge is raised: light on the top left, dark shadow on the bottom right.
    EXPECT_NE(image.pixel(0, 100), pal.color(QPalette::Window).rgb());
    EXPECT_EQ(image.pixel(image.width() - 1, 100), pal.color(QPalette::Shadow).rgb());
}

TEST_F(Disclaimer, ShowsTheExactTextsInTheirColoursAndFonts) {
    Open();
    EXPECT_EQ(window_->Label2()->text(),
              QStringLiteral("Attenzione:  USATE A VOSTRO RISCHIO E PERICOLO! "));
    EXPECT_EQ(window_->lblWarning()->text(),
              QStringLiteral("  Warning:    USE AT YOUR OWN RISK AND DANGER !"));
    EXPECT_EQ(window_->Label1()->text(), QStringLiteral("(GUI)"));
    for (const QLabel* warning : {window_->Label2(), window_->lblWarning()}) {
        EXPECT_EQ(warning->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        EXPECT_TRUE(warning->font().bold());
        EXPECT_TRUE(warning->font().underline());
        EXPECT_DOUBLE_EQ(warning->font().pointSizeF(), 12.0);
    }
    EXPECT_TRUE(window_->lblVersion()->alignment() & Qt::AlignRight);
}

TEST_F(Disclaimer, PicturesFillTheirBoxes) {
    Open();
    for (const QLabel* picture : {window_->Image1(), window_->imgLogo()}) {
        EXPECT_TRUE(picture->hasScaledContents());
        EXPECT_FALSE(picture->pixmap().isNull()) << picture->objectName().toStdString();
    }
    EXPECT_EQ(window_->Image1()->pixmap().size(), QSize(211, 26));
    EXPECT_EQ(window_->imgLogo()->pixmap().size(), QSize(32, 32));
}

TEST_F(Disclaimer, FocusStartsOnOkAndTabAlternatesBetweenTheButtons) {
    Open();
    EXPECT_TRUE(window_->XPButton1()->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(window_->XPButton2()->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(window_->XPButton1()->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(window_->XPButton2()->hasFocus());
}

TEST_F(Disclaimer, SpaceOnOkContinues) {
    Open();
    QTest::keyClick(window_->XPButton1(), Qt::Key_Space);
    EXPECT_EQ(continued_, 1);
    EXPECT_FALSE(Gone());
}

TEST_F(Disclaimer, AltOContinuesAndAltEUnloads) {
    Open();
    QTest::keyClick(window_, Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(continued_, 1);
    QTest::keyClick(window_, Qt::Key_E, Qt::AltModifier);
    EXPECT_TRUE(Gone());
    EXPECT_EQ(continued_, 1);
}

TEST_F(Disclaimer, EnterAlonePressesNeitherButton) {
    Open();
    QTest::keyClick(window_->XPButton1(), Qt::Key_Return);
    QTest::keyClick(window_->XPButton1(), Qt::Key_Enter);
    EXPECT_EQ(continued_, 0);
    EXPECT_FALSE(Gone());
}

TEST_F(Disclaimer, ExitUnloadsWithoutContinuing) {
    Open();
    QTest::mouseClick(window_->XPButton2(), Qt::LeftButton, {}, QPoint(48, 12));
    EXPECT_TRUE(Gone());
    EXPECT_EQ(frmSplash::Instance(), nullptr);
    EXPECT_EQ(continued_, 0);
}

TEST_F(Disclaimer, OkSurvivesTheMainWindowUnloadingItMidHandler) {
    // The main window's load unloads the disclaimer while the OK handler still runs;
    // what the handler does after that must not touch the window.
    SplashServices services;
    QPointer<QWidget> shown;
    services.continueToMain = [&] {
        frmSplash::UnloadIfLoaded();
        EXPECT_EQ(frmSplash::Instance() == nullptr || !frmSplash::Instance()->isVisible(), true);
        shown = new QWidget;
        shown->setAttribute(Qt::WA_DeleteOnClose);
        shown->show();
    };
    window_ = frmSplash::LoadAndShow(services);
    QTest::mouseClick(window_->XPButton1(), Qt::LeftButton, {}, QPoint(48, 12));
    EXPECT_TRUE(Gone());
    ASSERT_FALSE(shown.isNull());
    EXPECT_TRUE(shown->isVisible());
    shown->close();
}
