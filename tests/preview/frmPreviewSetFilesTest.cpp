// The PREVIEW window's file list: Convert's file or any of SET's eighteen, named in words.

#include "forms/preview/frmPreview.h"

#include <QComboBox>
#include <QLabel>
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
        {0, "ltn0.pgf as Convert writes it"},         {1, "ltn0.pgf: sans-serif, regular, 18 px"},
        {6, "ltn5.pgf: serif, bold, 18 px"},          {13, "ltn12.pgf: sans-serif, bold, 12 px"},
        {16, "ltn15.pgf: serif, bold italic, 12 px"}, {17, "jpn0.pgf: Japanese, 18 px"},
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

} // namespace
} // namespace korven::forms
