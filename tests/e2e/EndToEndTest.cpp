// The program as a user meets it, on the offscreen platform: the real start-up, the real
// windows, the real drive, folder and process services, and a converter stand-in in the
// program folder. Only the message boxes answer from a script, because a modal box would
// wait for a person. No test waits on a clock: the completion timer is fired by hand and
// only the stand-in's own end is waited for.

#include "../converter/core/TestFont.h"
#include "controls/xpbutton/XPButton.h"
#include "forms/about/frmAbout.h"
#include "forms/disclaimer/frmSplash.h"
#include "forms/main/CharactersMenu.h"
#include "forms/main/FitMenu.h"
#include "forms/main/Form1.h"
#include "forms/main/FramePanel.h"
#include "forms/preview/frmPreview.h"
#include "host/seams/ProcessStarter.h"
#include "host/seams/Timer.h"
#include "host/toolkit/DirListBox.h"
#include "host/toolkit/FileListBox.h"
#include "startup/StartUp.h"
#include "support/FakeHost.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using korven::forms::Form1;
using korven::forms::frmAbout;
using korven::forms::frmSplash;

namespace {

void FlushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void ClickMiddle(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

QList<QWidget*> VisibleWindows() {
    QList<QWidget*> shown;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible()) {
            shown << w;
        }
    }
    return shown;
}

Form1* MainWindow() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* form = qobject_cast<Form1*>(w)) {
            return form;
        }
    }
    return nullptr;
}

// Notes every window that is shown, in order, by its name.
class ShownWindows : public QObject {
public:
    QStringList names;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget != nullptr && widget->isWindow() && !names.contains(widget->objectName())) {
                names << widget->objectName();
            }
        }
        return false;
    }
};

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        savedCwd_ = QDir::currentPath();
        programFolder_ = Folder("program");
        fonts_ = Folder("fonts");
        out_ = Folder("psp");
        // A font FreeType opens: the replace question is asked only of such a pick.
        const std::vector<std::uint8_t> font =
            korven::converter::testing::buildTestFont(korven::converter::testing::basicGlyphs());
        WriteFile(fonts_ + "/Sample.ttf", QByteArray(reinterpret_cast<const char*>(font.data()),
                                                     static_cast<qsizetype>(font.size())));
        // The stand-in records its arguments, one a line, and writes the output it was named,
        // saying so as the converter does.
        const QString converter = programFolder_ + "/ttf2pgf";
        WriteFile(converter,
                  "#!/bin/sh\n"
                  "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$(dirname \"$0\")/args\"\n"
                  "printf 'PGF from %s' \"$1\" > \"$2\"\n"
                  "echo \"wrote $2: 1 glyph, 8 bytes\"\n");
        QFile::setPermissions(converter, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        ASSERT_NE(ReadFile(fonts_ + "/Sample.ttf"), QByteArray());
    }

    void TearDown() override {
        for (QWidget* w : VisibleWindows()) {
            w->close();
        }
        FlushDeletes();
        QDir::setCurrent(savedCwd_);
        EXPECT_TRUE(VisibleWindows().isEmpty());
    }

    korven::host::HostServices Services() {
        korven::host::HostServices services = korven::host::HostServices::Real();
        services.messages = &boxes_;
        services.programFolder = [folder = programFolder_] { return folder; };
        // Each test is a first start; the test of remembered choices starts twice.
        services.choicesFile = root_.filePath(QStringLiteral("choices.ini"));
        // Backups of what a test replaces stay in its own folder, not the user's.
        services.backupFolder = [folder = root_.filePath(QStringLiteral("backups"))] {
            return folder;
        };
        return services;
    }

    QString Folder(const char* name) {
        const QString path = root_.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(QDir().mkpath(path));
        return path;
    }
    static void WriteFile(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray ReadFile(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // The disclaimer, then OK, as a user clicks it; returns the main window it leads to.
    Form1* StartAndContinue() {
        frmSplash* splash = korven::startup::StartProgram(Services());
        EXPECT_EQ(VisibleWindows(), QList<QWidget*>{splash});
        ClickMiddle(splash->XPButton1());
        FlushDeletes();
        EXPECT_EQ(frmSplash::Instance(), nullptr);
        Form1* form = MainWindow();
        EXPECT_NE(form, nullptr);
        if (form != nullptr) {
            EXPECT_EQ(VisibleWindows(), QList<QWidget*>{form});
        }
        return form;
    }

    // Opens the font folder and clicks the font in the file list.
    void PickFont(Form1& form) {
        ASSERT_EQ(form.Dir1()->SetPath(fonts_), korven::host::FolderError::None);
        const QList<QListWidgetItem*> items =
            form.File1()->findItems(QStringLiteral("Sample.ttf"), Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        const QRect row = form.File1()->visualItemRect(items[0]);
        QTest::mouseClick(form.File1()->viewport(), Qt::LeftButton, {}, row.center());
        ASSERT_EQ(form.File1()->FileName(), QStringLiteral("Sample.ttf"));
    }

    void ChooseDestinationSizeAndShadow(Form1& form) {
        ASSERT_EQ(form.Dir2()->SetPath(out_), korven::host::FolderError::None);
        form.Combo1()->setFocus();
        QTest::keyClicks(form.Combo1(), QStringLiteral("12"));
        ASSERT_EQ(form.Combo1()->currentText(), QStringLiteral("12"));
        QTest::keyClicks(form.Text1(), QStringLiteral("2"));
    }

    void WaitForConverter(Form1& form) {
        ASSERT_NE(form.Job(), nullptr);
        korven::host::ProcessHandle& handle = form.Job()->Handle();
        if (handle.State() == korven::host::ProcessState::Running) {
            QSignalSpy ended(&handle, &korven::host::ProcessHandle::Finished);
            ASSERT_TRUE(ended.wait(10000));
        }
    }

    QTemporaryDir root_;
    QString savedCwd_;
    QString programFolder_;
    QString fonts_;
    QString out_;
    korven::host::testing::FakeMessageBoxService boxes_;
};

TEST_F(EndToEnd, ConvertThenRefuseWithoutAPickThenKeepTheOldFileOnNo) {
    Form1* form = StartAndContinue();
    ASSERT_NE(form, nullptr);
    PickFont(*form);
    ChooseDestinationSizeAndShadow(*form);

    ClickMiddle(form->XPButton2());
    EXPECT_TRUE(form->Label6()->isVisibleTo(form));
    WaitForConverter(*form);
    // The converter is done, but the report waits for the end of the wait.
    EXPECT_TRUE(boxes_.shown.isEmpty());
    ASSERT_TRUE(form->Timer2()->Fire());
    ASSERT_EQ(boxes_.shown.size(), 1);
    EXPECT_EQ(boxes_.shown[0].text, QStringLiteral("operation concluded correctly"));
    EXPECT_FALSE(form->Label6()->isVisibleTo(form));

    const QString output = out_ + "/ltn0.pgf";
    EXPECT_EQ(QString::fromUtf8(ReadFile(programFolder_ + "/args")),
              fonts_ + "/Sample.ttf\n" + output + "\n12\ni2\n");
    const QByteArray converted = ReadFile(output);
    EXPECT_EQ(converted, "PGF from " + (fonts_ + "/Sample.ttf").toUtf8());
    EXPECT_TRUE(form->File2()->Files().contains(QStringLiteral("ltn0.pgf")));

    // The pick was used up by the conversion.
    ClickMiddle(form->XPButton2());
    ASSERT_EQ(boxes_.shown.size(), 2);
    EXPECT_EQ(boxes_.shown[1].text, QStringLiteral("Please select a font"));
    EXPECT_EQ(form->Job(), nullptr);

    // Same folder again: the replace question, answered No, leaves the file alone and
    // starts nothing.
    QFile::remove(programFolder_ + "/args");
    PickFont(*form);
    boxes_.answers.push_back(7);
    ClickMiddle(form->XPButton2());
    ASSERT_EQ(boxes_.shown.size(), 3);
    EXPECT_EQ(boxes_.shown[2].text, QStringLiteral("the file already exist to replace it"));
    EXPECT_EQ(form->Job(), nullptr);
    EXPECT_FALSE(form->Timer2()->IsRunning());
    EXPECT_FALSE(QFile::exists(programFolder_ + "/args"));
    EXPECT_EQ(ReadFile(output), converted);
    EXPECT_FALSE(form->Frame1()->isHidden());
}

TEST_F(EndToEnd, InfoOpensOneAboutWindowBesideTheMainWindow) {
    Form1* form = StartAndContinue();
    ASSERT_NE(form, nullptr);
    form->INFO()->trigger();
    form->INFO()->trigger();
    frmAbout* about = frmAbout::Instance();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(VisibleWindows().size(), 2);
    EXPECT_FALSE(about->isModal());
    EXPECT_TRUE(form->isEnabled());
}

// Start-up connects the main window to the preview: PREVIEW opens it and a pick reaches it.
TEST_F(EndToEnd, PreviewOpensFromTheMainWindowAndFollowsItsChoices) {
    Form1* form = StartAndContinue();
    ASSERT_NE(form, nullptr);
    form->PREVIEW()->trigger();
    korven::forms::frmPreview* preview = korven::forms::frmPreview::Instance();
    ASSERT_NE(preview, nullptr);
    const QImage nothingPicked = preview->Canvas().Image();
    PickFont(*form);
    EXPECT_NE(preview->Canvas().Image(), nothingPicked) << "the preview did not hear of the pick";
    preview->close();
    FlushDeletes();
}

// The added choices last from one run to the next, folders and PREVIEW's line included; DEFAULTS
// takes them back to a first start's.
TEST_F(EndToEnd, ChoicesLastUntilDefaultsAreRestored) {
    Form1* form = StartAndContinue();
    ASSERT_NE(form, nullptr);
    const QString firstSource = form->Dir1()->Path();
    form->CHARACTERS()->Item(QStringLiteral("greek"))->trigger();
    form->FIT()->FitItem()->trigger();
    ASSERT_EQ(form->Dir1()->SetPath(fonts_), korven::host::FolderError::None);
    form->PREVIEW()->trigger();
    ASSERT_NE(korven::forms::frmPreview::Instance(), nullptr);
    korven::forms::frmPreview::Instance()->UserLine()->setText(QStringLiteral("Kept"));
    form->close();
    FlushDeletes();

    form = StartAndContinue();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Settings().ExtraCharacterSets, QStringList{QStringLiteral("greek")});
    EXPECT_TRUE(form->Settings().FitToHandheld);
    EXPECT_EQ(form->Dir1()->Path(), fonts_);
    form->PREVIEW()->trigger();
    ASSERT_NE(korven::forms::frmPreview::Instance(), nullptr);
    EXPECT_EQ(korven::forms::frmPreview::Instance()->UserLine()->text(), QStringLiteral("Kept"));
    korven::forms::frmPreview::Instance()->close();
    form->DEFAULTS()->trigger();
    EXPECT_TRUE(form->Settings().ExtraCharacterSets.isEmpty());
    EXPECT_FALSE(form->Settings().FitToHandheld);
    form->close();
    FlushDeletes();

    form = StartAndContinue();
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(form->Settings().FitToHandheld);
    EXPECT_EQ(form->Dir1()->Path(), fonts_) << "the folders are those of the last run";
    EXPECT_NE(firstSource, fonts_);
}

// "Open with": the font given to the program is picked once the main window is up, even
// when given relative to where the program was started (the window moves the current
// directory to the program's folder as it loads).
TEST_F(EndToEnd, AFontGivenToTheProgramIsPickedInTheMainWindow) {
    ASSERT_TRUE(QDir::setCurrent(root_.path()));
    frmSplash* splash =
        korven::startup::StartProgram(Services(), QStringLiteral("fonts/Sample.ttf"));
    ClickMiddle(splash->XPButton1());
    QCoreApplication::processEvents();
    Form1* form = MainWindow();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(boxes_.shown.isEmpty());
    EXPECT_EQ(form->Dir1()->Path(), fonts_);
    EXPECT_EQ(form->File1()->FileName(), QStringLiteral("Sample.ttf"));
    EXPECT_EQ(form->Settings().FontFile, QStringLiteral("/Sample.ttf"));
}

TEST_F(EndToEnd, ExitOnTheDisclaimerEndsTheProgramWithNoOtherWindow) {
    ShownWindows shown;
    qApp->installEventFilter(&shown);
    korven::startup::StartProgram(Services());
    QTimer::singleShot(0, [] { ClickMiddle(frmSplash::Instance()->XPButton2()); });
    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    giveUp.start(10000);

    const int exitCode = QApplication::exec();
    qApp->removeEventFilter(&shown);
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(shown.names, QStringList{QStringLiteral("frmSplash")});
    FlushDeletes();
    EXPECT_EQ(frmSplash::Instance(), nullptr);
}

TEST_F(EndToEnd, TheProgramOutlivesTheDisclaimerAndEndsWithTheMainWindowsExit) {
    ShownWindows shown;
    qApp->installEventFilter(&shown);
    korven::startup::StartProgram(Services());
    bool mainWasUp = false;
    QTimer::singleShot(0, [&] {
        ClickMiddle(frmSplash::Instance()->XPButton1());
        // The disclaimer is gone now; the program must still be running for this step.
        QTimer::singleShot(0, [&] {
            Form1* form = MainWindow();
            mainWasUp = form != nullptr && form->isVisible() && frmSplash::Instance() == nullptr;
            if (form != nullptr) {
                ClickMiddle(form->XPButton1());
            }
        });
    });
    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    giveUp.start(10000);

    const int exitCode = QApplication::exec();
    qApp->removeEventFilter(&shown);
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(mainWasUp);
    EXPECT_EQ(shown.names, (QStringList{QStringLiteral("frmSplash"), QStringLiteral("Form1")}));
}

} // namespace
