#include "forms/preview/frmPreview.h"

#include "support/InstalledFonts.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using korven::forms::frmPreview;
using korven::forms::PreviewMemory;
using korven::forms::PreviewOpening;

namespace {

korven::app::ConversionSettings DejaVuAt(const QString& size) {
    korven::app::ConversionSettings s;
    s.SourceFolder = QStringLiteral("/usr/share/fonts/truetype/dejavu");
    s.FontFile = QStringLiteral("/DejaVuSans.ttf");
    s.FontSize = size;
    s.ShadowValue = QStringLiteral("2");
    return s;
}

class PreviewWindow : public ::testing::Test {
protected:
    void SetUp() override {
        const korven::app::ConversionSettings font = DejaVuAt(QString());
        if (!korven::testing::FontFileInstalled((font.SourceFolder + font.FontFile).toStdString()))
            GTEST_SKIP();
    }
    // Outlives the window, which writes to it as it closes in TearDown.
    PreviewMemory memory_;

    void TearDown() override {
        if (frmPreview::Instance() != nullptr)
            frmPreview::Instance()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(PreviewWindow, FollowsSizeChangesAndTypingOnlyRedraws) {
    frmPreview* window = frmPreview::ShowModeless(DejaVuAt(QStringLiteral("12")));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("PREVIEW"));
    EXPECT_EQ(frmPreview::ShowModeless(DejaVuAt(QStringLiteral("12"))), window);
    const QImage at12 = window->Canvas().Image();

    window->Follow(DejaVuAt(QStringLiteral("22")));
    EXPECT_NE(window->Canvas().Image(), at12);
    EXPECT_EQ(window->Model().ConversionCount(), 2);

    const QImage before = window->Canvas().Image();
    QTest::keyClicks(window->UserLine(), QStringLiteral("Hi"));
    EXPECT_NE(window->Canvas().Image(), before);
    EXPECT_EQ(window->Model().ConversionCount(), 2);
}

TEST_F(PreviewWindow, EscapeCloses) {
    frmPreview* window = frmPreview::ShowModeless(DejaVuAt(QStringLiteral("18")));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QTest::keyClick(window, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frmPreview::Instance(), nullptr);
}

void ChooseZoom(frmPreview* window, int factor) {
    window->Zoom()->setCurrentIndex(window->Zoom()->findData(factor));
    window->Zoom_Click();
}

TEST_F(PreviewWindow, FitsTheScreenAtEveryZoomAndScrollsTheCanvasWhenItMust) {
    frmPreview* window = frmPreview::ShowModeless(DejaVuAt(QStringLiteral("16")));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    const QRect screen = window->screen()->availableGeometry();
    for (int factor : {3, 2, 1}) {
        SCOPED_TRACE(factor);
        ChooseZoom(window, factor);
        EXPECT_TRUE(screen.contains(window->frameGeometry()));
        // The zoom control stays inside the window, so the user can zoom back out.
        const QRect zoom(window->Zoom()->mapTo(window, QPoint(0, 0)), window->Zoom()->size());
        EXPECT_TRUE(window->rect().contains(zoom));
        EXPECT_EQ(window->CanvasView()->size(), QSize(480, 272) * factor);
    }
    // Back at 100 % the window is no larger than it was at first and shows the whole canvas.
    EXPECT_EQ(window->Scroller()->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(window->Scroller()->verticalScrollBar()->maximum(), 0);

    // At 300 % the canvas is wider and taller than the screen: the window takes the screen's
    // width and the canvas scrolls both ways.
    ChooseZoom(window, 3);
    ASSERT_GT(480 * 3, screen.width());
    ASSERT_GT(272 * 3, screen.height());
    EXPECT_EQ(window->frameGeometry().width(), screen.width());
    EXPECT_GT(window->Scroller()->horizontalScrollBar()->maximum(), 0);
    EXPECT_GT(window->Scroller()->verticalScrollBar()->maximum(), 0);
}

TEST_F(PreviewWindow, OpensBesideTheMainWindow) {
    PreviewOpening opening;
    opening.mainFrame = QRect(0, 0, 40, 300);
    frmPreview* window = frmPreview::ShowModeless(DejaVuAt(QStringLiteral("12")), opening);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(window->frameGeometry().topLeft(), QPoint(40, 0));
    // The whole canvas at 100 %.
    EXPECT_EQ(window->Scroller()->horizontalScrollBar()->maximum(), 0);
}

TEST_F(PreviewWindow, KeepsTheTypedLineZoomAndPlaceFromOneOpeningToTheNext) {
    PreviewOpening opening;
    opening.memory = &memory_;
    opening.mainFrame = QRect(0, 0, 120, 300);
    frmPreview* window = frmPreview::ShowModeless(DejaVuAt(QStringLiteral("12")), opening);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QTest::keyClicks(window->UserLine(), QStringLiteral("Hi there"));
    ChooseZoom(window, 2);
    window->setGeometry(37, 21, 500, 400); // moved and made smaller by the user
    const QRect place = window->frameGeometry();
    const QImage drawn = window->Canvas().Image();
    QTest::keyClick(window, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(frmPreview::Instance(), nullptr);

    window = frmPreview::ShowModeless(DejaVuAt(QStringLiteral("12")), opening);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(window->UserLine()->text(), QStringLiteral("Hi there"));
    EXPECT_EQ(window->Canvas().Image(), drawn);
    EXPECT_EQ(window->CanvasView()->Zoom(), 2);
    EXPECT_EQ(window->Zoom()->currentData().toInt(), 2);
    EXPECT_EQ(window->frameGeometry(), place);
}

// Until the window manager frames it, the preview takes the main window's frame for its own;
// the window must still come back exactly as it was, not grown or moved by the guess.
TEST_F(PreviewWindow, ReopensAtExactlyItsSizeAndPlace) {
    PreviewOpening opening;
    opening.memory = &memory_;
    opening.mainFrame = QRect(0, 0, 120, 300);
    opening.frameMargins = QMargins(1, 26, 1, 1);
    frmPreview* window = frmPreview::ShowModeless(DejaVuAt(QStringLiteral("12")), opening);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    window->setGeometry(40, 60, 600, 400);
    for (int reopening = 0; reopening < 3; ++reopening) {
        QTest::keyClick(window, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        window = frmPreview::ShowModeless(DejaVuAt(QStringLiteral("12")), opening);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        EXPECT_EQ(window->geometry(), QRect(40, 60, 600, 400)) << reopening;
    }
}

TEST_F(PreviewWindow, NamesTheTypedCharactersTheFileDoesNotHold) {
    frmPreview* window = frmPreview::ShowModeless(DejaVuAt(QStringLiteral("12")));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    window->UserLine()->insert(QString::fromUtf8("Aé"));
    EXPECT_EQ(window->NotHeld()->text(), QString());
    window->UserLine()->insert(QString::fromUtf8("Пр\u2030П"));
    EXPECT_EQ(window->NotHeld()->text(),
              QString::fromUtf8("Not in the file: П U+041F, р U+0440. The handheld shows them "
                                "as \"_\"."));
    window->UserLine()->clear();
    EXPECT_EQ(window->NotHeld()->text(), QString());
}

} // namespace
