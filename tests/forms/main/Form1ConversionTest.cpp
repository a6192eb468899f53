// The Convert button, the start of the converter and the report, with a fake converter
// whose end the test decides.

#include "Form1Fixture.h"
#include "controls/xpbutton/XPButton.h"
#include "forms/main/CharactersMenu.h"
#include "forms/main/FramePanel.h"
#include "host/seams/Timer.h"
#include "host/toolkit/FileListBox.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTest>

namespace korven::forms::testing {
namespace {

using host::ProcessState;
using host::MessageBoxResult::No;
using host::MessageBoxResult::Yes;

class Form1ConversionTest : public Form1Fixture {
protected:
    void SetUp() override {
        Form1Fixture::SetUp();
        fonts_ = MakeFolder(QStringLiteral("fonts"));
        out_ = MakeFolder(QStringLiteral("out"));
        WriteFont(fonts_ + QStringLiteral("/Arial.ttf"));
        WriteFile(fonts_ + QStringLiteral("/Other.ttf"));
        Load();
    }

    void PickAll(const QString& size = QStringLiteral("12"),
                 const QString& shadow = QStringLiteral("2")) {
        PickFont(fonts_, QStringLiteral("Arial.ttf"));
        PickDestination(out_);
        if (!size.isEmpty()) {
            form_->Combo1()->setCurrentText(size);
            form_->Combo1_Click();
        }
        if (!shadow.isEmpty()) {
            form_->Text1()->setText(shadow);
        }
    }

    // The fake converter writes its output and ends with `code`.
    void ConverterEndsWith(int code, bool writesOutput = true, const QString& error = {}) {
        host_.processes.onStart = [=](const host::testing::StartedProcess& p) {
            if (writesOutput) {
                WriteFile(p.arguments.at(1));
                p.handle->standardOutput = WroteLine(p.arguments.at(1));
            }
            p.handle->state = ProcessState::Exited;
            p.handle->exitCode = code;
            p.handle->errorOutput = error;
        };
    }

    bool Waiting() const {
        return form_->Frame1()->isHidden() && form_->Frame2()->isHidden() &&
               !form_->Label6()->isHidden();
    }
    bool Idle() const {
        return !form_->Frame1()->isHidden() && !form_->Frame2()->isHidden() &&
               form_->Label6()->isHidden();
    }

    QString fonts_;
    QString out_;
};

TEST_F(Form1ConversionTest, CommandLineJoinsTheChoicesAndTheArgumentsReachTheStarter) {
    PickAll();
    form_->XPButton2_Click();

    const QString expected =
        programFolder_ + "/ttf2pgf " + fonts_ + "/Arial.ttf " + out_ + "/ltn0.pgf 12 i2";
    EXPECT_EQ(form_->Settings().ConverterCommandLine, expected);
    ASSERT_EQ(host_.processes.started.size(), 1);
    EXPECT_EQ(host_.processes.started[0].program, programFolder_ + "/ttf2pgf");
    EXPECT_EQ(host_.processes.started[0].arguments,
              QStringList({fonts_ + "/Arial.ttf", out_ + "/ltn0.pgf", "12", "i2"}));
}

TEST_F(Form1ConversionTest, ChosenCharacterSetsAreAddedToTheCommand) {
    PickAll();
    form_->CHARACTERS()->Item(QStringLiteral("latin-extended"))->trigger();
    form_->XPButton2_Click();
    EXPECT_EQ(form_->Settings().ConverterCommandLine,
              programFolder_ + "/ttf2pgf --characters latin,latin-extended " + fonts_ +
                  "/Arial.ttf " + out_ + "/ltn0.pgf 12 i2");
    ASSERT_EQ(host_.processes.started.size(), 1);
    EXPECT_EQ(host_.processes.started[0].arguments.mid(0, 2),
              QStringList({"--characters", "latin,latin-extended"}));
}

TEST_F(Form1ConversionTest, AMissingSizeOrABadShadowIsAskedForAndNothingStarts) {
    struct Case {
        QString size;
        QString shadow;
        const char* expected; // empty: the job starts
        const char* hint = "";
    };
    const Case cases[] = {
        {"", "2", "Please select a FONT SIZE from 6 to 22"},
        {"", "", "Please select a FONT SIZE from 6 to 22"},
        {"12", "", "Please enter a SHADOW value from 1 to 4.0"},
        {"12", "abc", "Please enter a SHADOW value from 1 to 4.0"},
        {"12", "4.5", "Please enter a SHADOW value from 1 to 4.0"},
        {"12", "i2", "Please enter a SHADOW value from 1 to 4.0"},
        {"12", "1,5", "Please enter a SHADOW value from 1 to 4.0",
         "Use a point for the decimal, not a comma: 1.5"},
        {"12", "4.0", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(qPrintable(c.size + "/" + c.shadow));
        host_.messages.shown.clear();
        host_.processes.started.clear();
        form_->Combo1()->setCurrentIndex(-1);
        form_->Combo1_Click();
        form_->Text1()->clear();
        PickAll(c.size, c.shadow);
        form_->XPButton2_Click();
        if (*c.expected == '\0') {
            EXPECT_TRUE(host_.messages.shown.isEmpty());
            EXPECT_EQ(host_.processes.started.size(), 1);
            continue;
        }
        ASSERT_EQ(host_.messages.shown.size(), 1);
        EXPECT_EQ(host_.messages.shown[0].text, c.expected);
        EXPECT_EQ(host_.messages.shown[0].secondary, c.hint);
        EXPECT_EQ(host_.messages.shown[0].title, "Question");
        EXPECT_EQ(host_.messages.shown[0].flags, 304);
        EXPECT_TRUE(host_.processes.started.isEmpty());
        EXPECT_EQ(form_->Settings().FontFile, "/Arial.ttf");
        EXPECT_EQ(form_->File1()->FileName(), "Arial.ttf");
        EXPECT_TRUE(Idle());
    }
}

TEST_F(Form1ConversionTest, DestinationAtTheRootKeepsItsDoubledSeparator) {
    PickFont(fonts_, QStringLiteral("Arial.ttf"));
    ASSERT_EQ(form_->Dir2()->SetPath(QStringLiteral("/")), host::FolderError::None);
    EXPECT_EQ(form_->Settings().DestinationFolder, QStringLiteral("//"));
    form_->Combo1()->setCurrentText(QStringLiteral("12"));
    form_->Combo1_Click();
    form_->Text1()->setText(QStringLiteral("2"));
    form_->XPButton2_Click();
    EXPECT_TRUE(form_->Settings().ConverterCommandLine.contains(" //ltn0.pgf "));
}

TEST_F(Form1ConversionTest, ConvertWithoutAPickAsksForAFontAndStartsNothing) {
    form_->XPButton2_Click();
    ASSERT_EQ(host_.messages.shown.size(), 1);
    EXPECT_EQ(host_.messages.shown[0].text, "Please select a font");
    EXPECT_EQ(host_.messages.shown[0].title, "Question");
    EXPECT_EQ(host_.messages.shown[0].flags, 304);
    EXPECT_TRUE(host_.processes.started.isEmpty());
    EXPECT_TRUE(Idle());
}

TEST_F(Form1ConversionTest, AStartedJobUsesUpThePick) {
    PickAll();
    form_->XPButton2_Click();
    EXPECT_TRUE(form_->Settings().FontFile.isEmpty());
    // The list no longer shows the pick either.
    EXPECT_TRUE(form_->File1()->FileName().isEmpty());
    EXPECT_TRUE(form_->File1()->selectedItems().isEmpty());
}

TEST_F(Form1ConversionTest, ConvertWhileWaitingStartsNothingAndShowsNothing) {
    PickAll();
    form_->XPButton2_Click();
    form_->XPButton2_Click();
    emit form_->XPButton2()->Click();
    EXPECT_EQ(host_.processes.started.size(), 1);
    EXPECT_TRUE(host_.messages.shown.isEmpty());
    EXPECT_TRUE(Waiting());

    // Once the report is read, Convert works again.
    WriteFile(out_ + "/ltn0.pgf");
    host_.processes.started[0].handle->Finish(ProcessState::Exited, 0);
    form_->Timer2()->Fire();
    ASSERT_EQ(host_.messages.shown.size(), 1);
    PickFont(fonts_, QStringLiteral("Other.ttf"));
    host_.messages.answers = {Yes};
    form_->XPButton2_Click();
    EXPECT_EQ(host_.processes.started.size(), 2);
}

TEST_F(Form1ConversionTest, ChangingTheSourceFolderClearsThePick) {
    const QString other = MakeFolder(QStringLiteral("other"));
    WriteFile(other + "/Arial.ttf");
    PickAll();
    ASSERT_EQ(form_->Dir1()->SetPath(other), host::FolderError::None);
    EXPECT_TRUE(form_->Settings().FontFile.isEmpty());
    form_->XPButton2_Click();
    EXPECT_TRUE(host_.processes.started.isEmpty());
    ASSERT_EQ(host_.messages.shown.size(), 1);
    EXPECT_EQ(host_.messages.shown[0].text, "Please select a font");

    // Re-reading the same folder is not a change of folder: the pick stays.
    PickFont(other, QStringLiteral("Arial.ttf"));
    ASSERT_EQ(form_->Dir1()->Refresh(), host::FolderError::None);
    EXPECT_EQ(form_->Settings().FontFile, "/Arial.ttf");
}

TEST_F(Form1ConversionTest, ExistingOutputAsksBeforeReplacing) {
    WriteFile(out_ + "/ltn0.pgf");
    PickAll();
    for (int answer : {No, host::MessageBoxResult::Closed}) {
        host_.messages.answers = {answer};
        form_->XPButton2_Click();
        EXPECT_TRUE(host_.processes.started.isEmpty());
        EXPECT_TRUE(Idle());
        EXPECT_FALSE(form_->Timer2()->Enabled());
        EXPECT_EQ(form_->Settings().FontFile, "/Arial.ttf");
    }
    ASSERT_EQ(host_.messages.shown.size(), 2);
    EXPECT_EQ(host_.messages.shown[0].text, "the file already exist to replace it");
    EXPECT_EQ(host_.messages.shown[0].title, "QUESTION");
    EXPECT_EQ(host_.messages.shown[0].flags, 276);

    host_.messages.answers = {Yes};
    form_->XPButton2_Click();
    EXPECT_EQ(host_.processes.started.size(), 1);
    EXPECT_TRUE(Waiting());
}

// What the destination list highlights is where the file goes: a key or a click on a folder
// chooses it, without a double click.
TEST_F(Form1ConversionTest, TheHighlightedDestinationFolderIsWrittenTo) {
    const QString psp = MakeFolder(QStringLiteral("out/PSP"));
    PickAll();
    form_->Dir2()->setFocus();
    QTest::keyClick(form_->Dir2(), Qt::Key_Down);
    ASSERT_EQ(form_->Dir2()->currentItem()->text(), "PSP");
    form_->XPButton2_Click();
    ASSERT_EQ(host_.processes.started.size(), 1);
    EXPECT_EQ(host_.processes.started[0].arguments.at(1), psp + "/ltn0.pgf");
}

// The question is asked only of a font that opens: a text file named .ttf goes to the
// converter, which refuses it and says why, and the earlier file was never offered up.
TEST_F(Form1ConversionTest, APickThatIsNoFontIsNotAskedAbout) {
    WriteFile(out_ + "/ltn0.pgf");
    WriteFile(fonts_ + "/fake.ttf", "just some text");
    PickAll();
    PickFont(fonts_, QStringLiteral("fake.ttf"));
    form_->XPButton2_Click();
    EXPECT_TRUE(host_.messages.shown.isEmpty());
    ASSERT_EQ(host_.processes.started.size(), 1);
    EXPECT_EQ(host_.processes.started[0].arguments.at(0), fonts_ + "/fake.ttf");
}

// A write-protected file is named in a line of its own under the designed question, and
// only then.
TEST_F(Form1ConversionTest, TheReplaceQuestionSaysWhenTheFileIsWriteProtected) {
    const QString output = out_ + "/ltn0.pgf";
    WriteFile(output);
    PickAll();
    for (const bool writable : {true, false}) {
        QFile::setPermissions(output, writable ? QFile::ReadOwner | QFile::WriteOwner
                                               : QFile::ReadOwner | QFile::ReadGroup);
        host_.messages.answers = {No};
        form_->XPButton2_Click();
    }
    ASSERT_EQ(host_.messages.shown.size(), 2);
    for (const auto& box : host_.messages.shown) {
        EXPECT_EQ(box.text, "the file already exist to replace it");
    }
    EXPECT_EQ(host_.messages.shown[0].secondary, "");
    EXPECT_EQ(host_.messages.shown[1].secondary,
              "ltn0.pgf is write-protected; the new file will be write-protected too.");
}

TEST_F(Form1ConversionTest, WaitingLookThenReportThenIdleInThatOrder) {
    ConverterEndsWith(0);
    const auto writes = host_.processes.onStart;
    host_.processes.onStart = [&](const host::testing::StartedProcess& p) {
        writes(p);
        p.handle->standardOutput = "wrote " + p.arguments.at(1) +
                                   ": 339 glyphs, 62624 bytes; left out 1 character: U+2030\n";
    };
    PickAll();
    form_->XPButton2_Click();
    EXPECT_TRUE(Waiting());
    EXPECT_TRUE(form_->Timer2()->Enabled());
    EXPECT_EQ(form_->Timer2()->Interval(), 5000);

    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);

    bool checkedWhileOpen = false;
    host_.messages.whileOpen = [&](const host::testing::ShownBox&) {
        // The busy pointer goes before the report: the user has to click it.
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        // While the box is open: the wait label is gone, the panes are still hidden, the
        // timer still runs, and the destination list already shows the new file.
        EXPECT_TRUE(form_->Label6()->isHidden());
        EXPECT_TRUE(form_->Frame1()->isHidden());
        EXPECT_TRUE(form_->Frame2()->isHidden());
        EXPECT_TRUE(form_->Timer2()->Enabled());
        EXPECT_TRUE(form_->File2()->Files().contains("ltn0.pgf"));
        checkedWhileOpen = true;
    };
    EXPECT_TRUE(form_->Timer2()->Fire());
    EXPECT_TRUE(checkedWhileOpen);
    ASSERT_EQ(host_.messages.shown.size(), 1);
    EXPECT_EQ(host_.messages.shown[0].text, "operation concluded correctly");
    EXPECT_EQ(host_.messages.shown[0].secondary,
              "Written: " + out_ +
                  "/ltn0.pgf, 339 characters\nLeft out 1 character: ‰\u00A0U+2030");
    EXPECT_EQ(host_.messages.shown[0].flags, 0);
    EXPECT_TRUE(host_.messages.shown[0].title.isEmpty());
    EXPECT_TRUE(Idle());
    EXPECT_FALSE(form_->Timer2()->Enabled());
}

TEST_F(Form1ConversionTest, ATickDuringTheReportDoesNotReportAgain) {
    ConverterEndsWith(0);
    PickAll();
    form_->XPButton2_Click();
    int ticksWhileOpen = 0;
    host_.messages.whileOpen = [&](const host::testing::ShownBox&) {
        if (ticksWhileOpen++ == 0) {
            form_->Timer2_Timer();
            form_->Timer2()->Fire();
        }
    };
    form_->Timer2()->Fire();
    host_.messages.whileOpen = nullptr;
    form_->Timer2_Timer();
    EXPECT_EQ(host_.messages.shown.size(), 1);
}

TEST_F(Form1ConversionTest, FailuresAreReportedWithAStopIconAndTheConvertersWords) {
    struct Case {
        const char* name;
        ProcessState state;
        int code;
        bool writes;
        QString expectedPiece;
    };
    const Case cases[] = {
        {"exit code", ProcessState::Exited, 3, true, "stopped with this message"},
        {"no output", ProcessState::Exited, 0, false, "without writing"},
        {"crash", ProcessState::Crashed, 0, false, "stopped abnormally"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host_.messages.shown.clear();
        QFile::remove(out_ + "/ltn0.pgf");
        host_.processes.onStart = [&](const host::testing::StartedProcess& p) {
            if (c.writes) {
                WriteFile(p.arguments.at(1));
                p.handle->standardOutput = WroteLine(p.arguments.at(1));
            }
            p.handle->state = c.state;
            p.handle->exitCode = c.code;
            p.handle->errorOutput = "first\nglyph table overflow\n\n";
        };
        PickAll();
        form_->XPButton2_Click();
        form_->Timer2()->Fire();
        ASSERT_EQ(host_.messages.shown.size(), 1);
        EXPECT_EQ(host_.messages.shown[0].flags, 16);
        EXPECT_TRUE(host_.messages.shown[0].text.contains(c.expectedPiece));
        EXPECT_TRUE(host_.messages.shown[0].text.contains("glyph table overflow"));
        EXPECT_FALSE(host_.messages.shown[0].text.contains("concluded correctly"));
        EXPECT_TRUE(host_.messages.shown[0].secondary.startsWith("To run it by hand:\n"));
        EXPECT_TRUE(Idle());
        EXPECT_FALSE(form_->Timer2()->Enabled());
    }
}

TEST_F(Form1ConversionTest, TheLineToRunByHandRunsExactlyWhatWasStarted) {
    // Blanks, quotes and shell characters in every path.
    const QString odd = QStringLiteral("it's \"odd\" $HOME `x` & ; *");
    fonts_ = MakeFolder("fonts " + odd);
    out_ = MakeFolder("out " + odd);
    WriteFile(fonts_ + QStringLiteral("/Arial.ttf"));
    ConverterEndsWith(1, false, QStringLiteral("refused"));
    PickAll(QStringLiteral("12"), QStringLiteral("2.5"));
    form_->XPButton2_Click();
    form_->Timer2()->Fire();
    ASSERT_EQ(host_.messages.shown.size(), 1);
    const QString prefix = QStringLiteral("To run it by hand:\n");
    const QString line = host_.messages.shown[0].secondary;
    ASSERT_TRUE(line.startsWith(prefix));

    // The shell gives each word it parsed to printf, which ends each with a NUL.
    QProcess sh;
    sh.start(QStringLiteral("sh"),
             {QStringLiteral("-c"), "printf '%s\\0' " + line.mid(prefix.size())});
    ASSERT_TRUE(sh.waitForFinished());
    QStringList words = QString::fromUtf8(sh.readAllStandardOutput()).split(QChar(u'\0'));
    ASSERT_EQ(words.takeLast(), QString());
    const host::testing::StartedProcess& started = host_.processes.started.at(0);
    EXPECT_EQ(words, QStringList{started.program} + started.arguments);
}

TEST_F(Form1ConversionTest, AFailureAfterAgreeingToReplaceSaysTheEarlierFileIsUnchanged) {
    WriteFile(out_ + "/ltn0.pgf", "earlier");
    ConverterEndsWith(1, false, QStringLiteral("too large"));
    host_.messages.answers = {Yes};
    PickAll();
    form_->XPButton2_Click();
    form_->Timer2()->Fire();
    ASSERT_EQ(host_.messages.shown.size(), 2);
    EXPECT_TRUE(host_.messages.shown[1].text.endsWith("\n\nThe earlier ltn0.pgf is unchanged."))
        << host_.messages.shown[1].text.toStdString();
    QFile earlier(out_ + "/ltn0.pgf");
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), "earlier");
}

TEST_F(Form1ConversionTest, AnOldOutputLeftUntouchedIsNotASuccess) {
    WriteFile(out_ + "/ltn0.pgf", "old");
    ConverterEndsWith(0, false);
    host_.messages.answers = {Yes};
    PickAll();
    form_->XPButton2_Click();
    form_->Timer2()->Fire();
    ASSERT_EQ(host_.messages.shown.size(), 2);
    EXPECT_TRUE(host_.messages.shown[1].text.contains("without writing"));
}

TEST_F(Form1ConversionTest, AConverterStillRunningKeepsTheWaitAndIsReportedWhenItEnds) {
    PickAll();
    form_->XPButton2_Click();
    ASSERT_EQ(host_.processes.started.size(), 1);
    auto* handle = host_.processes.started[0].handle.data();

    form_->Timer2()->Fire();
    EXPECT_TRUE(host_.messages.shown.isEmpty());
    EXPECT_TRUE(Waiting());
    EXPECT_FALSE(form_->Timer2()->Enabled()) << "no more looking: the end reports it";

    WriteFile(out_ + "/ltn0.pgf");
    handle->standardOutput = WroteLine(out_ + "/ltn0.pgf");
    handle->Finish(ProcessState::Exited, 0);
    ASSERT_EQ(host_.messages.shown.size(), 1);
    EXPECT_EQ(host_.messages.shown[0].text, "operation concluded correctly");
    EXPECT_TRUE(Idle());
    // The next job waits the full time again.
    EXPECT_EQ(form_->Timer2()->Interval(), 5000);
}

TEST_F(Form1ConversionTest, AConverterThatCannotStartIsNamedInPlainWordsAndThePickIsKept) {
    host_.processes.startState = ProcessState::FailedToStart;
    host_.processes.failureText = "execvp: No such file or directory";
    PickAll();
    form_->XPButton2_Click();
    // Present but not runnable is a different story from missing.
    WriteFile(programFolder_ + "/ttf2pgf");
    form_->XPButton2_Click();
    ASSERT_EQ(host_.messages.shown.size(), 2);
    EXPECT_EQ(host_.messages.shown[0].text,
              "The converter ttf2pgf was not found in " + programFolder_ + ".");
    // No line to run: it would name the very file that is missing.
    EXPECT_EQ(host_.messages.shown[0].secondary,
              "It was looked for at " + programFolder_ +
                  "/ttf2pgf, beside this program.\nTo get it back, reinstall the program's "
                  "package, or build the program again (the converter is built with it).");
    EXPECT_EQ(host_.messages.shown[1].text,
              "The converter ttf2pgf in " + programFolder_ + " could not be run.");
    EXPECT_TRUE(host_.messages.shown[1].secondary.startsWith("To run it by hand:\n"));
    for (const host::testing::ShownBox& box : host_.messages.shown) {
        EXPECT_EQ(box.flags, 16);
    }
    EXPECT_TRUE(Idle());
    EXPECT_FALSE(form_->Timer2()->Enabled());
    EXPECT_EQ(form_->Settings().FontFile, "/Arial.ttf");
    EXPECT_EQ(form_->File1()->FileName(), "Arial.ttf");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(Form1ConversionTest, AnAltChordNeverTypesIntoTheShadowBoxOrTheSizeList) {
    form_->show();
    QTest::keyClick(form_->Text1(), Qt::Key_I, Qt::AltModifier);
    QTest::keyClick(form_->Text1(), Qt::Key_O, Qt::AltModifier);
    QTest::keyClick(form_->Combo1(), Qt::Key_1, Qt::AltModifier);
    EXPECT_TRUE(form_->Text1()->text().isEmpty());
    EXPECT_EQ(form_->Combo1()->currentIndex(), -1);
    // Plain typing still types.
    QTest::keyClick(form_->Text1(), Qt::Key_2);
    EXPECT_EQ(form_->Text1()->text(), "2");
}

TEST_F(Form1ConversionTest, ExitWhileWaitingClosesWithoutAReport) {
    PickAll();
    form_->XPButton2_Click();
    form_->show();
    form_->XPButton1_Click();
    EXPECT_FALSE(form_->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form_.isNull());
    EXPECT_TRUE(host_.messages.shown.isEmpty());
}

} // namespace
} // namespace korven::forms::testing
