#include "forms/preview/frmPreview.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using korven::forms::frmPreview;

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
        if (!QFile::exists(font.SourceFolder + font.FontFile))
            GTEST_SKIP() << qPrintable(font.SourceFolder + font.FontFile) << " is not installed";
    }
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

} // namespace
