#include "forms/about/frmAbout.h"

#include "forms/about/AboutTexts.h"
#include "host/toolkit/DesignFonts.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <gtest/gtest.h>

using korven::forms::frmAbout;

namespace {

// Windows are destroyed with deleteLater; flush that so "closed" means "gone".
void FlushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class AboutWindow : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = frmAbout::ShowModeless();
        ASSERT_NE(window_, nullptr);
        QApplication::setActiveWindow(window_);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_));
    }
    void TearDown() override {
        if (frmAbout::Instance() != nullptr) {
            frmAbout::Instance()->close();
        }
        FlushDeletes();
        ASSERT_EQ(frmAbout::Instance(), nullptr);
    }

    // True once the window has been closed and destroyed.
    bool Gone() {
        FlushDeletes();
        return window_.isNull() && frmAbout::Instance() == nullptr;
    }

    QPointer<frmAbout> window_;
};

} // namespace

TEST(AboutText, IsSevenCrLfLinesOf364Characters) {
    const QString text = korven::forms::about::DisclaimerText();
    EXPECT_EQ(text.size(), 364);
    ASSERT_TRUE(text.endsWith(QStringLiteral("\r\n")));
    const QStringList lines = text.chopped(2).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 7);
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("interface.All the ")));
    EXPECT_TRUE(lines[3].isEmpty());
    EXPECT_TRUE(lines[4].endsWith(QStringLiteral("Tutto il ")));
    EXPECT_EQ(lines[4].count(QChar(0x00E8)), 1);
    EXPECT_EQ(lines[5].count(QChar(0x00E8)), 1);
    EXPECT_EQ(lines[6], QStringLiteral("USATE A VOSTRO RISCHIO E PERICOLO!"));
    // No stray carriage return or line feed inside a line.
    for (const QString& line : lines) {
        EXPECT_FALSE(line.contains(QChar('\r')) || line.contains(QChar('\n')))
            << line.toStdString();
    }
}

TEST_F(AboutWindow, HasItsFixedFrameSizeCaptionAndIcon) {
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("INFO"));
    EXPECT_EQ(window_->size(), QSize(382, 175));
    EXPECT_EQ(window_->minimumSize(), window_->maximumSize());
    const Qt::WindowFlags flags = window_->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(window_->isModal());
    EXPECT_EQ(window_->parentWidget(), nullptr);
    EXPECT_FALSE(window_->windowIcon().isNull());
}

TEST_F(AboutWindow, PlacesControlsAsDrawn) {
    EXPECT_EQ(window_->Text2()->geometry(), QRect(0, 0, 385, 97));
    EXPECT_GT(window_->Text2()->geometry().right(), window_->rect().right());
    EXPECT_EQ(window_->cmdOK()->geometry(), QRect(152, 144, 84, 23));
    EXPECT_EQ(window_->lblDisclaimer()->geometry(), QRect(0, 112, 377, 23));
    EXPECT_EQ(window_->cmdOK()->text(), QStringLiteral("OK"));
    EXPECT_TRUE(window_->cmdOK()->isDefault());

    const QLabel* label = window_->lblDisclaimer();
    EXPECT_EQ(label->text(),
              QStringLiteral("Warning: ... This program modify the FLASH0 of your PSP."));
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_TRUE(label->font().bold());
    EXPECT_TRUE(label->font().underline());
    EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 9.75);
}

TEST_F(AboutWindow, DrawsTheSeparatorGreyOverWhite) {
    const QImage image = window_->grab().toImage();
    EXPECT_EQ(QColor(image.pixel(5, 104)), QColor(128, 128, 128));
    EXPECT_EQ(QColor(image.pixel(5, 105)), QColor(255, 255, 255));
    EXPECT_EQ(QColor(image.pixel(5, 106)), QColor(255, 255, 255));
    // Both lines stop short of the right edge.
    EXPECT_NE(QColor(image.pixel(375, 104)), QColor(128, 128, 128));
    EXPECT_NE(QColor(image.pixel(375, 105)), QColor(255, 255, 255));
}

TEST_F(AboutWindow, ShowsTheSevenLinesSeparatelyWithTheFourthEmpty) {
    const QTextDocument* doc = window_->Text2()->document();
    // Seven lines plus the empty one after the final line break.
    ASSERT_EQ(doc->blockCount(), 8);
    EXPECT_EQ(doc->findBlockByNumber(2).text(),
              QStringLiteral("USE AT YOUR OWN RISK AND DANGER !"));
    EXPECT_TRUE(doc->findBlockByNumber(3).text().isEmpty());
    EXPECT_EQ(doc->findBlockByNumber(6).text(),
              QStringLiteral("USATE A VOSTRO RISCHIO E PERICOLO!"));
    EXPECT_FALSE(window_->Text2()->toPlainText().contains(QChar('\r')));
}

TEST(AboutWindowFonts, ShowAllSevenLinesUnwrappedWithoutScrolling) {
    korven::host::RegisterDesignFonts();
    QPointer<frmAbout> window = frmAbout::ShowModeless();
    QPlainTextEdit* text = window->Text2();
    const QFontMetrics metrics(text->font());
    const QTextDocument* doc = text->document();
    for (int i = 0; i < 7; ++i) {
        const QString line = doc->findBlockByNumber(i).text();
        SCOPED_TRACE(qPrintable(line));
        // Only the part of the box inside the window counts: the window cuts off its right.
        EXPECT_LE(metrics.horizontalAdvance(line),
                  window->width() - text->frameWidth() - 2 * int(doc->documentMargin()));
    }
    const int used = 7 * metrics.lineSpacing() + 2 * int(doc->documentMargin());
    EXPECT_LE(used, text->viewport()->height());
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(AboutWindow, FocusStartsOnOkAndTabReachesTheTextBox) {
    EXPECT_TRUE(window_->cmdOK()->hasFocus());
    QTest::keyClick(window_->cmdOK(), Qt::Key_Tab);
    EXPECT_TRUE(window_->Text2()->hasFocus());
    // Tab in the text box moves on instead of typing into it.
    const QString before = window_->Text2()->toPlainText();
    QTest::keyClick(window_->Text2(), Qt::Key_Tab);
    EXPECT_TRUE(window_->cmdOK()->hasFocus());
    EXPECT_EQ(window_->Text2()->toPlainText(), before);
}

// Every way of closing the window destroys it.
struct CloseWay {
    const char* name;
    void (*close)(frmAbout& window);
};

// Test listings name the case instead of dumping its bytes.
void PrintTo(const CloseWay& c, std::ostream* os) {
    *os << c.name;
}

class AboutWindowCloses : public AboutWindow, public ::testing::WithParamInterface<CloseWay> {};

TEST_P(AboutWindowCloses, AndIsDestroyed) {
    GetParam().close(*window_);
    EXPECT_TRUE(Gone());
}

INSTANTIATE_TEST_SUITE_P(
    EveryWay, AboutWindowCloses,
    ::testing::Values(
        CloseWay{"EscapeOnTheButton",
                 [](frmAbout& w) { QTest::keyClick(w.cmdOK(), Qt::Key_Escape); }},
        CloseWay{"EscapeInTheTextBox",
                 [](frmAbout& w) {
                     w.Text2()->setFocus();
                     QTest::keyClick(w.Text2(), Qt::Key_Escape);
                 }},
        CloseWay{"EnterOnOk", [](frmAbout& w) { QTest::keyClick(w.cmdOK(), Qt::Key_Return); }},
        CloseWay{"ClickOnOk", [](frmAbout& w) { QTest::mouseClick(w.cmdOK(), Qt::LeftButton); }},
        CloseWay{"TitleBarClose", [](frmAbout& w) { EXPECT_TRUE(w.close()); }}),
    [](const ::testing::TestParamInfo<CloseWay>& info) { return std::string(info.param.name); });

TEST_F(AboutWindow, SecondShowReusesTheOpenWindow) {
    EXPECT_EQ(frmAbout::ShowModeless(), window_.data());
    EXPECT_EQ(frmAbout::Instance(), window_.data());
}

TEST_F(AboutWindow, EditsAreDiscardedWhenClosed) {
    const QString original = window_->Text2()->toPlainText();
    window_->Text2()->setFocus();
    QTest::keyClicks(window_->Text2(), QStringLiteral("scribble"));
    ASSERT_NE(window_->Text2()->toPlainText(), original);
    window_->cmdOK_Click();
    ASSERT_TRUE(Gone());

    window_ = frmAbout::ShowModeless();
    EXPECT_EQ(window_->Text2()->toPlainText(), original);
}
