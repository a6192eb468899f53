// SET's jpn0.pgf and kr0.pgf: the fonts chosen for them beside SET, the command, the files
// judged and the report, with a fake converter whose end the test decides.

#include "Form1Fixture.h"
#include "forms/main/FitMenu.h"
#include "forms/main/ScriptFontsDialog.h"
#include "host/seams/Timer.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

namespace korven::forms::testing {
namespace {

constexpr char kCjk[] = "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc";

class Form1SetScriptsTest : public Form1Fixture {
protected:
    void SetUp() override {
        Form1Fixture::SetUp();
        fonts_ = MakeFolder(QStringLiteral("fonts"));
        out_ = MakeFolder(QStringLiteral("out"));
        WriteFont(fonts_ + QStringLiteral("/Body.ttf"));
    }

    void PickChoices(const QString& folder, const QString& font) {
        PickFont(folder, font);
        form_->Combo1()->setCurrentText(QStringLiteral("18"));
        form_->Combo1_Click();
        form_->Text1()->setText(QStringLiteral("2"));
    }

    // Opens the choice beside SET, as a click on it does.
    ScriptFontsDialog* OpenScripts() {
        form_->SCRIPTS()->trigger();
        return form_->findChild<ScriptFontsDialog*>(QStringLiteral("ScriptFonts"));
    }

    QString fonts_;
    QString out_;
};

TEST_F(Form1SetScriptsTest, ChosenFontsAreOfferedPassedJudgedAndReported) {
    Load();
    const QList<QAction*> menus = form_->menuBar()->actions();
    EXPECT_EQ(menus.indexOf(form_->SETFONTS()->menuAction()),
              menus.indexOf(form_->FIT()->menuAction()) + 1);
    PickChoices(fonts_, QStringLiteral("Body.ttf"));
    PickDestination(out_);

    // A picked font that cannot draw the script is not offered; a chosen font is, ticked.
    ScriptFontsDialog* dialog = OpenScripts();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->Make(0)->isEnabled());
    EXPECT_EQ(dialog->FontLabel(0)->text(), "No font chosen.");
    host_.chosenFontFile = fonts_ + "/Japanese.otf";
    dialog->Choose_Click(0);
    host_.chosenFontFile.clear(); // cancelled: the Korean file stays unasked
    dialog->Choose_Click(1);
    EXPECT_EQ(host_.fontFileQuestions, 2);
    EXPECT_TRUE(dialog->Make(0)->isChecked());
    EXPECT_FALSE(dialog->Make(1)->isChecked());
    dialog->UsePicked_Click(1);
    EXPECT_TRUE(dialog->Make(1)->isChecked());
    dialog->accept();
    EXPECT_EQ(form_->Settings().JapaneseFont, fonts_ + "/Japanese.otf");
    EXPECT_EQ(form_->Settings().KoreanFont, fonts_ + "/Body.ttf");

    // Kept for the next opening; cancelling changes nothing.
    dialog = OpenScripts();
    EXPECT_TRUE(dialog->Make(0)->isChecked());
    dialog->Make(0)->setChecked(false);
    dialog->reject();
    EXPECT_EQ(form_->Settings().JapaneseFont, fonts_ + "/Japanese.otf");

    struct Case {
        const char* name;
        QStringList written;
        const char* message; // %1: the folder
        const char* details; // %1: the folder
    };
    const QString notes =
        QStringLiteral("ttf2pgf: note: jpn0.pgf (Japanese, 18 px) from \"%1/Japanese.otf\"\n"
                       "ttf2pgf: note: kr0.pgf (Korean, 18 px) from \"%1/Body.ttf\", face 1 of 2, "
                       "\"Body KR\", taken for Korean\n")
            .arg(fonts_);
    const Case cases[] = {
        {"all eighteen",
         {"jpn0.pgf", "kr0.pgf"},
         "operation concluded correctly",
         "Written: ltn0.pgf to ltn15.pgf, jpn0.pgf and kr0.pgf in %1\n"
         "Sans-serif from Body Sans, serif from Body Serif\n"
         "jpn0.pgf (Japanese, 18 px) from %2/Japanese.otf\n"
         "kr0.pgf (Korean, 18 px) from %2/Body.ttf, face 1 of 2, \"Body KR\", taken for Korean"},
        {"the sixteen without kr0.pgf",
         {"jpn0.pgf"},
         "The set was not written whole: the converter ended having written only 17 of the 18 "
         "files into\n%1\n",
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString folder =
            MakeFolder(QStringLiteral("out-") + QString::number(c.written.size()));
        PickDestination(folder);
        WriteFile(folder + "/kr0.pgf", "older"); // one of the eighteen there: asked about once
        host_.messages.shown.clear();
        host_.messages.answers = {host::MessageBoxResult::Yes};
        host_.processes.started.clear();
        host_.processes.onStart = [&](const host::testing::StartedProcess& p) {
            for (int n = 0; n < 16; ++n)
                WriteFile(QStringLiteral("%1/ltn%2.pgf").arg(folder).arg(n), "new");
            for (const QString& name : c.written)
                WriteFile(folder + "/" + name, "new");
            WriteSetAccount(p.arguments, folder, 16, 0, {}, {}, c.written);
            p.handle->errorOutput = notes;
            p.handle->state = host::ProcessState::Exited;
        };
        form_->SET_Click();
        ASSERT_EQ(host_.processes.started.size(), 1);
        EXPECT_EQ(host_.processes.started[0].arguments.mid(0, 9),
                  QStringList({"--set", fonts_ + "/Body.ttf", folder, "18", "i2", "--japanese",
                               fonts_ + "/Japanese.otf", "--korean", fonts_ + "/Body.ttf"}));
        EndConverter();
        ASSERT_EQ(host_.messages.shown.size(), 2);
        EXPECT_EQ(host_.messages.shown[0].text,
                  "1 system font file (ltn*.pgf, jpn0.pgf, kr0.pgf) already exists in " + folder +
                      ".\nReplace it with the new set of 18?");
        const QString message = QString::fromUtf8(c.message).arg(folder);
        EXPECT_TRUE(host_.messages.shown[1].text.startsWith(message))
            << host_.messages.shown[1].text.toStdString();
        if (c.details) {
            EXPECT_EQ(host_.messages.shown[1].secondary.toStdString(),
                      QString::fromUtf8(c.details).arg(folder, fonts_).toStdString());
        }
    }
}

TEST_F(Form1SetScriptsTest, APickedCollectionIsOfferedWithTheFaceForEachLanguage) {
    if (!QFileInfo::exists(QString::fromLatin1(kCjk)))
        GTEST_SKIP() << kCjk << " is not installed";
    Load();
    const QFileInfo cjk(QString::fromLatin1(kCjk));
    PickChoices(cjk.path(), cjk.fileName());
    ScriptFontsDialog* dialog = OpenScripts();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->FontLabel(0)->text(),
              "From NotoSansCJK-Regular.ttc, face 0 of 10, Noto Sans CJK JP");
    EXPECT_EQ(dialog->FontLabel(1)->text(),
              "From NotoSansCJK-Regular.ttc, face 1 of 10, Noto Sans CJK KR");
    // Offered, not yet chosen: SET stays as it was until the user ticks it.
    EXPECT_TRUE(dialog->Make(0)->isEnabled());
    EXPECT_FALSE(dialog->Make(0)->isChecked());
    dialog->Make(1)->setChecked(true);
    dialog->accept();
    EXPECT_EQ(form_->Settings().JapaneseFont, QString());
    EXPECT_EQ(form_->Settings().KoreanFont, cjk.filePath());
}

} // namespace
} // namespace korven::forms::testing

namespace korven::forms::testing {
namespace {

// The serif files from another font: chosen, passed to SET, shown on the item, cleared by
// choosing the item again; a file that is no font is refused in words.
TEST_F(Form1SetScriptsTest, SerifFilesComeFromTheChosenFont) {
    Load();
    PickChoices(fonts_, QStringLiteral("Body.ttf"));
    PickDestination(out_);
    WriteFont(fonts_ + QStringLiteral("/Serif.ttf"));
    WriteFile(fonts_ + QStringLiteral("/Notes.ttf"));
    host_.chosenFontFile = fonts_ + "/Notes.ttf";
    form_->SERIF()->trigger();
    EXPECT_EQ(host_.messages.shown.size(), 1);
    EXPECT_FALSE(form_->SERIF()->isChecked());
    host_.chosenFontFile = fonts_ + "/Serif.ttf";
    form_->SERIF()->trigger();
    EXPECT_TRUE(form_->SERIF()->isChecked());
    EXPECT_TRUE(form_->SERIF()->text().contains("Serif.ttf"));
    form_->SET_Click();
    ASSERT_EQ(host_.processes.started.size(), 1);
    EXPECT_EQ(host_.processes.started[0].arguments.mid(5, 2),
              QStringList({"--serif", fonts_ + "/Serif.ttf"}));

    form_->SERIF()->trigger();
    EXPECT_EQ(host_.fontFileQuestions, 2);
    EXPECT_FALSE(form_->SERIF()->isChecked());
    EXPECT_TRUE(form_->Settings().SerifFont.isEmpty());
}

} // namespace
} // namespace korven::forms::testing
