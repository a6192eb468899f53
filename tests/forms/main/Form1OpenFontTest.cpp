// Fonts picked from outside the source pane: a path given to the program, a file dropped
// on the window.

#include "Form1Fixture.h"
#include "host/toolkit/DriveListBox.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace korven::forms::testing {
namespace {

class Form1OpenFontTest : public Form1Fixture {
protected:
    void SetUp() override {
        Form1Fixture::SetUp();
        fonts_ = MakeFolder(QStringLiteral("fonts"));
        WriteFile(fonts_ + QStringLiteral("/Sample.ttf"));
        WriteFile(fonts_ + QStringLiteral("/Open.OTF"));
        WriteFile(fonts_ + QStringLiteral("/Family.ttc"));
        WriteFile(fonts_ + QStringLiteral("/Notes.txt"));
        MakeFolder(QStringLiteral("fonts/Folder.ttf"));
        Load();
    }

    // Drags `urls` over the window and drops them; returns whether the drag was accepted.
    bool Drop(const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        const QPoint middle = form_->rect().center();
        QDragEnterEvent enter(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form_, &enter);
        QDropEvent drop(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form_, &drop);
        return enter.isAccepted();
    }

    void ExpectPicked(const QString& name = QStringLiteral("Sample.ttf")) {
        EXPECT_EQ(form_->Dir1()->Path(), fonts_);
        EXPECT_EQ(form_->File1()->Path(), fonts_);
        EXPECT_EQ(form_->File1()->FileName(), name);
        EXPECT_EQ(form_->Settings().SourceFolder, fonts_);
        EXPECT_EQ(form_->Settings().FontFile, QLatin1Char('/') + name);
    }

    QString fonts_;
};

TEST_F(Form1OpenFontTest, OpenWithAFontPicksItAsAClickWould) {
    form_->OpenFontFile(fonts_ + QStringLiteral("/../fonts/Sample.ttf"));
    EXPECT_TRUE(host_.messages.shown.isEmpty());
    ExpectPicked();
}

TEST_F(Form1OpenFontTest, OpenTypeFontsAndCollectionsAreListedOpenedAndDropped) {
    ASSERT_EQ(form_->Dir1()->SetPath(fonts_), host::FolderError::None);
    EXPECT_EQ(form_->File1()->Files(),
              QStringList({QStringLiteral("Family.ttc"), QStringLiteral("Open.OTF"),
                           QStringLiteral("Sample.ttf")}));
    for (const QString& name : {QStringLiteral("Open.OTF"), QStringLiteral("Family.ttc")}) {
        SCOPED_TRACE(qPrintable(name));
        ASSERT_EQ(form_->Dir1()->SetPath(programFolder_), host::FolderError::None);
        form_->OpenFontFile(fonts_ + QLatin1Char('/') + name);
        ExpectPicked(name);
        ASSERT_EQ(form_->Dir1()->SetPath(programFolder_), host::FolderError::None);
        EXPECT_TRUE(Drop({QUrl::fromLocalFile(fonts_ + QLatin1Char('/') + name)}));
        ExpectPicked(name);
    }
    EXPECT_TRUE(host_.messages.shown.isEmpty());
}

TEST_F(Form1OpenFontTest, OpenWithAnythingElseSaysSoAndPicksNothing) {
    struct Case {
        const char* name;
        const char* why;
    };
    for (const Case& c :
         {Case{"Missing.ttf", "there is no such file"},
          Case{"Notes.txt", "only font files named *.ttf, *.otf or *.ttc can be converted"},
          Case{"Folder.ttf", "it is a folder, not a file"}}) {
        SCOPED_TRACE(c.name);
        host_.messages.shown.clear();
        const QString path = fonts_ + QLatin1Char('/') + QString::fromLatin1(c.name);
        form_->OpenFontFile(path);
        ASSERT_EQ(host_.messages.shown.size(), 1);
        const host::testing::ShownBox& box = host_.messages.shown.constFirst();
        EXPECT_TRUE(box.text.contains(path)) << box.text.toStdString();
        EXPECT_TRUE(box.text.contains(QString::fromLatin1(c.why))) << box.text.toStdString();
        EXPECT_EQ(box.flags, 48); // OK only, with the warning icon
        EXPECT_TRUE(form_->Settings().FontFile.isEmpty());
        EXPECT_NE(form_->Dir1()->Path(), fonts_);
    }
}

TEST_F(Form1OpenFontTest, DroppedFontIsPicked) {
    EXPECT_TRUE(Drop({QUrl::fromLocalFile(fonts_ + QStringLiteral("/Sample.ttf"))}));
    ExpectPicked();
}

TEST_F(Form1OpenFontTest, DroppingAnythingElseDoesNothing) {
    const QUrl font = QUrl::fromLocalFile(fonts_ + QStringLiteral("/Sample.ttf"));
    for (const QList<QUrl>& urls :
         {QList<QUrl>{QUrl::fromLocalFile(fonts_ + QStringLiteral("/Notes.txt"))},
          QList<QUrl>{font, font}, QList<QUrl>{QUrl(QStringLiteral("https://example.org/a.ttf"))},
          QList<QUrl>{QUrl::fromLocalFile(fonts_ + QStringLiteral("/Folder.ttf"))}}) {
        EXPECT_FALSE(Drop(urls));
        EXPECT_TRUE(form_->Settings().FontFile.isEmpty());
        EXPECT_NE(form_->Dir1()->Path(), fonts_);
    }
    EXPECT_TRUE(host_.messages.shown.isEmpty());
}

} // namespace
} // namespace korven::forms::testing
