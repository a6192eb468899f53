// The PREVIEW window's file list: Convert's file or any of SET's eighteen, named in words.

#include "forms/preview/frmPreview.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace korven::forms {
namespace {

app::ConversionSettings DejaVuAt(const QString& size) {
    app::ConversionSettings s;
    s.SourceFolder = QStringLiteral("/usr/share/fonts/truetype/dejavu");
    s.FontFile = QStringLiteral("/DejaVuSans.ttf");
    s.FontSize = size;
    s.ShadowValue = QStringLiteral("2");
    return s;
}

TEST(PreviewSetFileList, NamesEachFileAndShowsThePickedOneThroughSizeChanges) {
    frmPreview* window = frmPreview::ShowModeless(DejaVuAt(QStringLiteral("18")));
    QComboBox* list = window->SetFile();
    ASSERT_EQ(list->count(), 19);
    const struct {
        int row;
        const char* name;
    } rows[] = {
        {0, "ltn0.pgf as Convert writes it"},
        {1, "ltn0.pgf: sans-serif, regular, 18 px"},
        {6, "ltn5.pgf: serif, bold, 18 px"},
        {13, "ltn12.pgf: sans-serif, bold, 12 px"},
        {16, "ltn15.pgf: serif, bold italic, 12 px"},
        {17, "jpn0.pgf: Japanese, 18 px"},
        {18, "kr0.pgf: Korean, 18 px"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(list->itemText(r.row).toStdString(), r.name);
    EXPECT_EQ(window->MadeFrom()->text(), "Made from the picked font");
    const QImage convertFile = window->Canvas().Image();

    list->setCurrentIndex(5); // ltn4.pgf, sans-serif bold
    window->SetFile_Click();
    EXPECT_EQ(window->MadeFrom()->text(), "Made from DejaVuSans-Bold.ttf");
    const QImage boldAt18 = window->Canvas().Image();
    EXPECT_NE(boldAt18, convertFile);

    window->Follow(DejaVuAt(QStringLiteral("22")));
    EXPECT_EQ(list->currentIndex(), 5);
    EXPECT_EQ(list->itemText(5), "ltn4.pgf: sans-serif, bold, 22 px");
    EXPECT_EQ(list->itemText(13), "ltn12.pgf: sans-serif, bold, 15 px");
    EXPECT_NE(window->Canvas().Image(), boldAt18);

    window->Follow(DejaVuAt(QString())); // no size: the names say small, the canvas why
    EXPECT_EQ(list->itemText(13), "ltn12.pgf: sans-serif, bold, small size");
    EXPECT_EQ(list->itemText(17), "jpn0.pgf: Japanese");
    EXPECT_EQ(window->MadeFrom()->text(), "-");
    window->close();
}

// jpn0.pgf is made on another thread: the window says so meanwhile and keeps answering; only
// the latest choice is made after the one under way, and a made file is kept apart from the
// Latin ones, so going back to it converts nothing.
TEST(PreviewScriptFileList, IsMadeOffTheWindowThreadLatestChoiceLast) {
    // A window closed by an earlier test is deleted on the next turn of the event loop, which
    // this test runs; it starts with a window of its own.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    frmPreview* window = frmPreview::ShowModeless(DejaVuAt(QStringLiteral("18")));
    QComboBox* list = window->SetFile();
    const int jpn0 = list->findData(preview::kFirstScriptFile);
    ASSERT_EQ(list->itemText(jpn0), "jpn0.pgf: Japanese, 18 px");
    const int before = window->Model().ConversionCount();
    list->setCurrentIndex(jpn0);
    window->SetFile_Click();
    EXPECT_TRUE(window->Making());
    EXPECT_EQ(window->Canvas().State().message, "Making jpn0.pgf (Japanese)…");
    EXPECT_EQ(window->Held()->text(), "-");
    window->Follow(DejaVuAt(QStringLiteral("19")));
    window->Follow(DejaVuAt(QStringLiteral("20"))); // 19 is never made
    window->UserLine()->setText(QStringLiteral("typed meanwhile"));
    QTRY_VERIFY_WITH_TIMEOUT(!window->Making(), 30000);
    EXPECT_EQ(window->Model().ConversionCount(), before + 2);
    ASSERT_EQ(window->Canvas().State().kind, preview::PreviewState::Kind::Ready)
        << window->Canvas().State().message.toStdString();
    EXPECT_EQ(window->Canvas().State().font->font.header().hSize, 36 * 20);
    EXPECT_EQ(window->MadeFrom()->text(), "Made from DejaVuSans.ttf, DejaVu Sans");
    EXPECT_TRUE(window->LeftOut()->toPlainText().contains(QString::fromUtf8("あ")));

    list->setCurrentIndex(0);
    window->SetFile_Click();
    list->setCurrentIndex(jpn0);
    window->SetFile_Click();
    EXPECT_FALSE(window->Making());
    EXPECT_EQ(window->Model().ConversionCount(), before + 3); // Convert's file only
    window->Follow(DejaVuAt(QString())); // no size: said at once, nothing to make
    EXPECT_FALSE(window->Making());
    EXPECT_EQ(window->Canvas().State().kind, preview::PreviewState::Kind::Missing);
    window->close();
}

} // namespace
} // namespace korven::forms
