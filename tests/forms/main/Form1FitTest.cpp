// The FIT menu: what Convert and SET pass to the converter, the folder of the user's own font
// files, and the line a report adds.

#include "Form1Fixture.h"
#include "forms/main/FitMenu.h"
#include "host/seams/Timer.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>

namespace korven::forms::testing {
namespace {

using host::ProcessState;

class Form1FitTest : public Form1Fixture {
protected:
    void SetUp() override {
        Form1Fixture::SetUp();
        fonts_ = MakeFolder(QStringLiteral("fonts"));
        out_ = MakeFolder(QStringLiteral("out"));
        mine_ = MakeFolder(QStringLiteral("mine"));
        WriteFile(fonts_ + QStringLiteral("/Body.ttf"));
        Load();
        PickFont(fonts_, QStringLiteral("Body.ttf"));
        PickDestination(out_);
        form_->Combo1()->setCurrentText(QStringLiteral("18"));
        form_->Combo1_Click();
        form_->Text1()->setText(QStringLiteral("2"));
    }

    // Convert and SET, each ended well by a fake converter that writes what it was asked to:
    // the arguments each was started with and the details of each report.
    struct Runs {
        QStringList convert, set;
        QString convertReport, setReport;
        QString convertLine; // the command line as Convert shows it
    };
    // Every question (replace?) is answered Yes.
    Runs RunBoth() {
        host_.processes.onStart = [this](const host::testing::StartedProcess& p) {
            // Each start's files have a size of their own, so that the window sees them
            // written even within the second of the start before.
            const QByteArray bytes(++starts_, 'x');
            const bool set = p.arguments.first() == "--set";
            for (int n = 0; n < (set ? 16 : 1); ++n)
                WriteFile(QStringLiteral("%1/ltn%2.pgf").arg(out_).arg(n), bytes);
            if (set)
                WriteSetAccount(p.arguments, out_, 16, 0);
            else
                p.handle->standardOutput = WroteLine(p.arguments.at(p.arguments.size() - 3));
            p.handle->state = ProcessState::Exited;
            p.handle->exitCode = 0;
        };
        Runs runs;
        host_.processes.started.clear();
        host_.messages.shown.clear();
        host_.messages.defaultAnswer = host::MessageBoxResult::Yes;
        form_->XPButton2_Click();
        const QString convertLine = form_->Settings().ConverterCommandLine;
        form_->Timer2()->Fire();
        const QString convertReport =
            host_.messages.shown.isEmpty() ? QString() : host_.messages.shown.last().secondary;
        PickFont(fonts_, QStringLiteral("Body.ttf")); // Convert consumed the pick
        form_->SET_Click();
        EndConverter();
        EXPECT_EQ(host_.processes.started.size(), 2);
        if (host_.processes.started.size() == 2) {
            runs.convert = host_.processes.started[0].arguments;
            runs.set = host_.processes.started[1].arguments;
            // Every SET keeps what it replaces and gives its account; fitting's arguments
            // come before those.
            EXPECT_EQ(runs.set.mid(runs.set.size() - 4, 3),
                      QStringList({"--backup-dir", host_.backupFolder, "--report-json"}));
            runs.set.resize(runs.set.size() - 4);
        }
        runs.convertLine = convertLine;
        runs.convertReport = convertReport;
        runs.setReport =
            host_.messages.shown.isEmpty() ? QString() : host_.messages.shown.last().secondary;
        return runs;
    }

    QString fonts_, out_, mine_;
    int starts_ = 0;
};

TEST_F(Form1FitTest, FittingAddsItsArgumentsAndItsReportLine) {
    const QString handheld = QStringLiteral("Fitted to the sizes of the handheld's own fonts");
    const Runs plain = RunBoth();
    EXPECT_EQ(plain.convert, QStringList({fonts_ + "/Body.ttf", out_ + "/ltn0.pgf", "18", "i2"}));
    EXPECT_FALSE(plain.convertReport.contains("Fitted"));

    form_->FIT()->FitItem()->trigger();
    const Runs fitted = RunBoth();
    EXPECT_EQ(fitted.convert,
              QStringList({"--fit", fonts_ + "/Body.ttf", out_ + "/ltn0.pgf", "18", "i2"}));
    EXPECT_EQ(fitted.set.mid(5), QStringList({"--fit"}));
    EXPECT_TRUE(fitted.setReport.endsWith("\n" + handheld)) << qPrintable(fitted.setReport);
    EXPECT_FALSE(plain.setReport.contains("Fitted"));
    EXPECT_TRUE(fitted.convertReport.endsWith("\n" + handheld)) << qPrintable(fitted.convertReport);
    EXPECT_EQ(fitted.convertLine, programFolder_ + "/ttf2pgf --fit " + fonts_ + "/Body.ttf " +
                                      out_ + "/ltn0.pgf 18 i2");
}

// The user's own files win over the handheld's sizes; Convert takes their ltn0.pgf, SET the
// folder; choosing the item again clears it without asking.
TEST_F(Form1FitTest, TheUsersOwnFilesAreChosenShownAndCleared) {
    WriteFile(mine_ + QStringLiteral("/ltn0.pgf"));
    host_.chosenFolder = mine_;
    form_->FIT()->FitItem()->trigger();
    form_->FIT()->LikeItem()->trigger();
    EXPECT_TRUE(form_->FIT()->LikeItem()->isChecked());
    EXPECT_TRUE(form_->FIT()->LikeItem()->text().contains(mine_));
    const Runs like = RunBoth();
    EXPECT_EQ(like.convert.mid(0, 2), QStringList({"--like", mine_ + "/ltn0.pgf"}));
    EXPECT_EQ(like.set.mid(5), QStringList({"--like", mine_}));

    form_->FIT()->LikeItem()->trigger();
    EXPECT_EQ(host_.folderQuestions, 1);
    EXPECT_FALSE(form_->FIT()->LikeItem()->isChecked());
    EXPECT_EQ(RunBoth().set.mid(5), QStringList({"--fit"}));
}

TEST_F(Form1FitTest, AFolderWithoutTheHandheldsFilesOrACancelChoosesNothing) {
    for (const QString& answer : {mine_, QString()}) {
        host_.messages.shown.clear();
        host_.chosenFolder = answer;
        form_->FIT()->LikeItem()->trigger();
        EXPECT_FALSE(form_->FIT()->LikeItem()->isChecked());
        EXPECT_TRUE(form_->Settings().OwnFontsFolder.isEmpty());
        EXPECT_EQ(host_.messages.shown.size(), answer.isEmpty() ? 0 : 1);
    }
}

} // namespace
} // namespace korven::forms::testing
