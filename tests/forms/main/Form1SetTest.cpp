// The SET menu item and the emulator's memory stick as a destination, with a fake converter
// whose end the test decides.

#include "Form1Fixture.h"
#include "forms/main/CharactersMenu.h"
#include "forms/main/FramePanel.h"
#include "host/seams/Timer.h"
#include "host/toolkit/DriveListBox.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>

namespace korven::forms::testing {
namespace {

using host::ProcessState;
using host::MessageBoxResult::No;
using host::MessageBoxResult::Yes;

class Form1SetTest : public Form1Fixture {
protected:
    void SetUp() override {
        Form1Fixture::SetUp();
        savedHome_ = qgetenv("HOME");
        savedConfig_ = qgetenv("XDG_CONFIG_HOME");
        home_ = MakeFolder(QStringLiteral("home"));
        qputenv("HOME", QFile::encodeName(home_));
        qunsetenv("XDG_CONFIG_HOME");
        fonts_ = MakeFolder(QStringLiteral("fonts"));
        out_ = MakeFolder(QStringLiteral("out"));
        WriteFont(fonts_ + QStringLiteral("/Body.ttf"));
    }
    void TearDown() override {
        Form1Fixture::TearDown();
        qputenv("HOME", savedHome_);
        if (savedConfig_.isEmpty())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", savedConfig_);
    }

    void PickChoices() {
        PickFont(fonts_, QStringLiteral("Body.ttf"));
        form_->Combo1()->setCurrentText(QStringLiteral("18"));
        form_->Combo1_Click();
        form_->Text1()->setText(QStringLiteral("2"));
    }

    // The fake converter writes `files` of the set into its folder argument, gives its
    // account (Convert: its line) and ends with `code`. With `everyFileLacks`, each of the
    // sixteen lacks U+2030, not only ltn4 and ltn5.
    void ConverterWrites(int files, int code = 0, const QString& error = {},
                         bool everyFileLacks = false) {
        host_.processes.onStart = [=, this](const host::testing::StartedProcess& p) {
            const bool set = p.arguments.first() == "--set";
            const QString folder = set ? p.arguments.at(2) : QFileInfo(p.arguments.at(1)).path();
            EXPECT_TRUE(QFileInfo(folder).isDir()) << "the folder is made before the start";
            form_->Dir2()->Refresh(); // as the list's watcher does when the folder appears
            for (int n = 0; n < files; ++n)
                WriteFile(QStringLiteral("%1/ltn%2.pgf").arg(folder).arg(n), "new");
            QHash<int, QStringList> lacks;
            for (int n = 0; n < 16; ++n)
                if (everyFileLacks || n == 4 || n == 5)
                    lacks[n] = {"U+2030"};
            if (set)
                WriteSetAccount(p.arguments, folder, files, code, lacks, {"ltn5", "ltn13"});
            else if (files > 0)
                p.handle->standardOutput = WroteLine(p.arguments.at(1));
            p.handle->state = ProcessState::Exited;
            p.handle->exitCode = code;
            p.handle->errorOutput = error;
        };
    }

    bool Idle() const { return !form_->Frame2()->isHidden() && form_->Label6()->isHidden(); }

    QByteArray savedHome_;
    QByteArray savedConfig_;
    QString home_;
    QString fonts_;
    QString out_;
};

TEST_F(Form1SetTest, StartsTheSetCommandFromTheChoicesAndReportsWhatItWrote) {
    Load();
    PickChoices();
    PickDestination(out_);
    ConverterWrites(16);
    form_->SET()->trigger();

    ASSERT_EQ(host_.processes.started.size(), 1);
    EXPECT_EQ(host_.processes.started[0].program, programFolder_ + "/ttf2pgf");
    EXPECT_EQ(host_.processes.started[0].arguments,
              QStringList({"--set", fonts_ + "/Body.ttf", out_, "18", "i2", "--backup-dir",
                           host_.backupFolder, "--report-json",
                           host_.processes.started[0].arguments.last()}));
    EXPECT_FALSE(form_->SET()->isEnabled());
    EXPECT_TRUE((EndConverter(), true));
    ASSERT_EQ(host_.messages.shown.size(), 1);
    EXPECT_EQ(host_.messages.shown[0].text, "operation concluded correctly");
    EXPECT_EQ(host_.messages.shown[0].secondary,
              "Written: ltn0.pgf to ltn15.pgf in " + out_ +
                  "\nSans-serif from Body Sans, serif from Body Serif"
                  "\nMade by synthesis: ltn5.pgf (serif, bold), ltn13.pgf (serif, bold, small)"
                  "\nLeft out U+2030 from ltn4.pgf ltn5.pgf");
    EXPECT_EQ(form_->SetJob(), nullptr);
    EXPECT_TRUE(form_->SET()->isEnabled());
    EXPECT_TRUE(Idle());
    EXPECT_EQ(form_->Settings().FontFile, "/Body.ttf"); // the pick stays for another run
}

TEST_F(Form1SetTest, AListEveryFileSharesNamesTheSetOnce) {
    Load();
    PickChoices();
    PickDestination(out_);
    ConverterWrites(16, 0, {}, true);
    form_->SET()->trigger();
    EndConverter();
    ASSERT_EQ(host_.messages.shown.size(), 1);
    EXPECT_TRUE(
        host_.messages.shown[0].secondary.endsWith("\nLeft out U+2030 from ltn0.pgf to ltn15.pgf"))
        << host_.messages.shown[0].secondary.toStdString();
}

TEST_F(Form1SetTest, AsksOnceBeforeReplacingSayingHowManyDefaultingToNo) {
    Load();
    PickChoices();
    PickDestination(out_);
    WriteFile(out_ + "/ltn0.pgf");
    WriteFile(out_ + "/ltn9.pgf");
    WriteFile(out_ + "/ltn16.pgf"); // not one of the set: not replaced, not counted
    host_.messages.answers = {No, Yes};
    form_->SET_Click();
    ASSERT_EQ(host_.messages.shown.size(), 1);
    EXPECT_EQ(host_.messages.shown[0].text, "2 system font files (ltn*.pgf) already exist in " +
                                                out_ + ".\nReplace them with the new set of 16?");
    EXPECT_EQ(host_.messages.shown[0].flags, 4 | 16 | 256);
    EXPECT_TRUE(host_.processes.started.isEmpty());

    form_->SET_Click();
    EXPECT_EQ(host_.messages.shown.size(), 2);
    EXPECT_EQ(host_.processes.started.size(), 1);
}

TEST_F(Form1SetTest, APickThatIsNoFontIsNotAskedAbout) {
    Load();
    WriteFile(fonts_ + "/fake.ttf", "just some text");
    PickChoices();
    PickFont(fonts_, QStringLiteral("fake.ttf"));
    PickDestination(out_);
    WriteFile(out_ + "/ltn0.pgf");
    form_->SET_Click();
    EXPECT_TRUE(host_.messages.shown.isEmpty());
    EXPECT_EQ(host_.processes.started.size(), 1);
}

TEST_F(Form1SetTest, ReportsFollowConvertsRules) {
    struct Case {
        const char* name;
        int files;
        int code;
        QString error;
        QString message; // %1: the folder
    };
    const Case cases[] = {
        {"a refused slot in the converter's own words, without its notes", 0, 1,
         "ttf2pgf: note: ltn0.pgf (sans-serif, regular, 18 px) from \"Body.ttf\"\n"
         "ttf2pgf: \"Body.ttf\" has no letters (A-Z, a-z) and no digits (0-9)\n"
         "ttf2pgf: ltn0.pgf (sans-serif, regular, 18 px) was refused, so no file was written\n",
         "The conversion failed: the converter ttf2pgf stopped with this message:\n"
         "ttf2pgf: \"Body.ttf\" has no letters (A-Z, a-z) and no digits (0-9)\n"
         "ttf2pgf: ltn0.pgf (sans-serif, regular, 18 px) was refused, so no file was written"},
        {"a zero exit without files", 0, 0, "",
         "The set was not written: the converter ended without writing into\n%1"},
        {"a zero exit with some files", 3, 0, "",
         "The set was not written whole: the converter ended having written only 3 of the 16 "
         "files into\n%1\nltn0.pgf ltn1.pgf ltn2.pgf"},
    };
    Load();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString folder =
            MakeFolder(QStringLiteral("out-") + QString::number(c.files) + QString::number(c.code));
        PickChoices();
        PickDestination(folder);
        host_.messages.shown.clear();
        ConverterWrites(c.files, c.code, c.error);
        form_->SET_Click();
        EXPECT_TRUE((EndConverter(), true));
        ASSERT_EQ(host_.messages.shown.size(), 1);
        EXPECT_EQ(host_.messages.shown[0].text, c.message.arg(folder));
        EXPECT_EQ(host_.messages.shown[0].flags, 16);
        EXPECT_TRUE(host_.messages.shown[0].secondary.startsWith(
            "To run it by hand:\n" + programFolder_ + "/ttf2pgf --set "));
        EXPECT_TRUE(Idle());
    }
}

TEST_F(Form1SetTest, SitsRightOfPreviewAndPassesTheChosenCharacterSets) {
    Load();
    const QList<QAction*> menus = form_->menuBar()->actions();
    EXPECT_EQ(menus.indexOf(form_->SET()), menus.indexOf(form_->PREVIEW()) + 1);
    PickChoices();
    PickDestination(out_);
    form_->CHARACTERS()->Item(QStringLiteral("greek"))->trigger();
    form_->SET_Click();
    ASSERT_EQ(host_.processes.started.size(), 1);
    EXPECT_EQ(host_.processes.started[0].arguments,
              QStringList({"--set", fonts_ + "/Body.ttf", out_, "18", "i2", "--characters",
                           "latin,greek", "--backup-dir", host_.backupFolder, "--report-json",
                           host_.processes.started[0].arguments.last()}));
}

TEST_F(Form1SetTest, NoSetWhileAConvertRuns) {
    Load();
    PickChoices();
    PickDestination(out_);
    form_->XPButton2_Click(); // the fake converter keeps running
    PickChoices();
    form_->SET_Click();
    EXPECT_EQ(host_.processes.started.size(), 1);
    EXPECT_EQ(form_->SetJob(), nullptr);
}

// The emulator's memory stick: offered in the destination drive list only, opened at its
// font folder, which a conversion makes when it writes there and takes back when it does not.
TEST_F(Form1SetTest, EmulatorStickIsADestinationWhoseFontFolderIsMadeByAWrite) {
    const QString stick = MakeFolder(QStringLiteral("home/.config/ppsspp"));
    const QString font = stick + "/PSP/flash0/font";
    Load();
    EXPECT_EQ(form_->Drive1()->findData(stick), -1);
    ASSERT_TRUE(form_->Drive2()->SetDrive(stick));
    EXPECT_EQ(form_->Drive2()->currentText(), "ppsspp [emulator memory stick]");
    EXPECT_TRUE(form_->Dir2()->Ahead());
    EXPECT_EQ(form_->Dir2()->Ancestors().last(), stick);
    EXPECT_EQ(form_->Settings().DestinationFolder, font + "/");
    PickChoices();

    struct Case {
        const char* name;
        bool set;
        int files;
        int code;
        bool folderStays;
    };
    const Case cases[] = {
        {"a refused Convert takes the folders back", false, 0, 1, false},
        {"a refused set takes them back", true, 0, 1, false},
        {"a Convert that writes keeps them", false, 1, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host_.messages.shown.clear();
        ConverterWrites(c.files, c.code);
        if (c.set) {
            form_->SET_Click();
            EXPECT_TRUE((EndConverter(), true));
        } else {
            form_->XPButton2_Click();
            PickChoices(); // Convert uses up the pick
            EXPECT_TRUE(form_->Timer2()->Fire());
        }
        ASSERT_EQ(host_.messages.shown.size(), 1);
        EXPECT_EQ(QFileInfo(font).isDir(), c.folderStays);
        EXPECT_FALSE(QFileInfo(stick + "/PSP").exists() && !c.folderStays);
        EXPECT_EQ(form_->Dir2()->Ahead(), !c.folderStays);
        EXPECT_EQ(form_->Settings().DestinationFolder, font + "/");
    }
    EXPECT_EQ(host_.messages.shown[0].text, "operation concluded correctly");
    EXPECT_EQ(form_->Dir2()->Ancestors().last(), font);
    EXPECT_EQ(form_->File2()->Files(), QStringList({"ltn0.pgf"}));
}

TEST_F(Form1SetTest, AFolderThatCannotBeMadeIsSaidAndNothingStarts) {
    const QString stick = MakeFolder(QStringLiteral("home/.config/ppsspp"));
    WriteFile(stick + "/PSP"); // a file where the folder belongs
    Load();
    ASSERT_TRUE(form_->Drive2()->SetDrive(stick));
    PickChoices();
    form_->XPButton2_Click();
    ASSERT_EQ(host_.messages.shown.size(), 1);
    EXPECT_TRUE(host_.messages.shown[0].text.startsWith("The folder " + stick +
                                                        "/PSP/flash0/font cannot be created: "));
    EXPECT_EQ(host_.messages.shown[0].flags, 16);
    EXPECT_TRUE(host_.processes.started.isEmpty());
    EXPECT_TRUE(Idle());
}

} // namespace
} // namespace korven::forms::testing
