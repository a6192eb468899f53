// The window's backups: Convert keeps the earlier ltn0.pgf itself before the converter starts,
// and RESTORE lists the backups and has the converter put one back after asking.

#include "Form1Fixture.h"
#include "converter/rules/FolderLock.h"
#include "forms/main/RestoreMenu.h"
#include "host/seams/Timer.h"

#include <QComboBox>
#include <QLineEdit>

namespace korven::forms::testing {
namespace {

using host::ProcessState;
using host::MessageBoxResult::No;
using host::MessageBoxResult::Yes;

class Form1BackupTest : public Form1Fixture {
protected:
    void SetUp() override {
        Form1Fixture::SetUp();
        fonts_ = MakeFolder(QStringLiteral("fonts"));
        out_ = MakeFolder(QStringLiteral("out"));
        WriteFont(fonts_ + QStringLiteral("/Arial.ttf"));
        WriteFile(out_ + QStringLiteral("/ltn0.pgf"), "the firmware's own font");
        Load();
        PickFont(fonts_, QStringLiteral("Arial.ttf"));
        PickDestination(out_);
        form_->Combo1()->setCurrentText(QStringLiteral("12"));
        form_->Combo1_Click();
        form_->Text1()->setText(QStringLiteral("2"));
    }

    QList<app::BackupEntry> Backups() const { return app::ListBackups(host_.backupFolder); }

    QString fonts_;
    QString out_;
};

// Kept before the start, byte for byte, and the designed command line is untouched.
TEST_F(Form1BackupTest, ConvertKeepsTheEarlierFileBeforeTheConverterStarts) {
    host_.messages.answers = {Yes};
    QList<app::BackupEntry> atStart;
    host_.processes.onStart = [&](const host::testing::StartedProcess&) { atStart = Backups(); };
    form_->XPButton2_Click();
    ASSERT_EQ(host_.processes.started.size(), 1);
    EXPECT_EQ(host_.processes.started[0].arguments,
              QStringList({fonts_ + "/Arial.ttf", out_ + "/ltn0.pgf", "12", "i2"}));
    ASSERT_EQ(atStart.size(), 1);
    EXPECT_EQ(atStart[0].folder, out_);
    EXPECT_EQ(atStart[0].files, QStringList({"ltn0.pgf"}));
    QFile kept(atStart[0].path + "/ltn0.pgf");
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "the firmware's own font");
}

TEST_F(Form1BackupTest, ConvertDoesNotReplaceWhatItCannotKeep) {
    WriteFile(host_.backupFolder, "a file where the backups would go");
    host_.messages.answers = {Yes};
    form_->XPButton2_Click();
    EXPECT_TRUE(host_.processes.started.isEmpty());
    ASSERT_EQ(host_.messages.shown.size(), 2);
    EXPECT_TRUE(host_.messages.shown[1].text.startsWith(
        "The earlier " + out_ +
        "/ltn0.pgf could not be kept in a backup, so it was not "
        "replaced.\n\ncannot make a backup in"))
        << qPrintable(host_.messages.shown[1].text);
    EXPECT_EQ(form_->Job(), nullptr);
}

TEST_F(Form1BackupTest, RestoreListsTheBackupsAndPutsOneBackAfterAsking) {
    emit form_->RESTORE()->aboutToShow();
    ASSERT_EQ(form_->RESTORE()->actions().size(), 1);
    EXPECT_FALSE(form_->RESTORE()->actions()[0]->isEnabled()) << "nothing kept yet";

    const app::KeptFiles kept = app::KeepEarlierFiles(host_.backupFolder, out_, {"ltn0.pgf"});
    ASSERT_TRUE(kept.ok) << qPrintable(kept.error);
    emit form_->RESTORE()->aboutToShow();
    ASSERT_EQ(form_->RESTORE()->actions().size(), 1);
    QAction* item = form_->RESTORE()->actions()[0];
    EXPECT_TRUE(item->text().endsWith(": ltn0.pgf from " + out_)) << qPrintable(item->text());

    for (const int answer : {No, Yes}) {
        host_.messages.shown.clear();
        host_.messages.answers = {answer};
        item->trigger();
        ASSERT_EQ(host_.messages.shown.size(), 1);
        EXPECT_TRUE(host_.messages.shown[0].text.startsWith("Put back ltn0.pgf as kept on "));
    }
    ASSERT_EQ(host_.processes.started.size(), 1) << "started only after Yes";
    EXPECT_EQ(host_.processes.started[0].arguments, QStringList({"--restore", kept.backupPath}));
    form_->SET_Click();
    EXPECT_EQ(host_.processes.started.size(), 1) << "one converter at a time";

    // Reported when the converter ends, with its own line.
    host_.processes.started[0].handle->standardOutput =
        "restored 1 file to " + out_ + " from " + kept.backupPath + ": ltn0.pgf\n";
    host_.processes.started[0].handle->Finish(ProcessState::Exited, 0);
    ASSERT_EQ(host_.messages.shown.size(), 2);
    EXPECT_EQ(host_.messages.shown[1].text, "The backup was put back.");
    EXPECT_EQ(host_.messages.shown[1].secondary,
              "restored 1 file to " + out_ + " from " + kept.backupPath + ": ltn0.pgf");
}

// A set cut short in the folder the user opens: its journal names ltn0.pgf, replaced, with the
// earlier file kept aside, and ltn1.pgf, still a temporary file. Opening it puts it back.
TEST_F(Form1BackupTest, OpeningAFolderWithASetCutShortPutsTheEarlierFilesBack) {
    const QString stick = MakeFolder(QStringLiteral("stick"));
    WriteFile(stick + "/ltn0.pgf", "new 0");
    WriteFile(stick + "/.ltn0.pgf.old-0a1b2c3d", "earlier 0");
    WriteFile(stick + "/.ltn1.pgf.Ab12Cd", "new 1");
    WriteFile(stick + "/.korven-set.journal", "korven set journal 1\n"
                                              "ltn0.pgf\t.ltn0.pgf.Ab12Ce\t.ltn0.pgf.old-0a1b2c3d\n"
                                              "ltn1.pgf\t.ltn1.pgf.Ab12Cd\t\n"
                                              "end\n");
    host_.messages.shown.clear();
    {
        // While another run holds the folder, the journal is that run's own: left alone.
        const auto writing = converter::FolderWriteLock::tryTake(stick.toStdString());
        PickDestination(stick);
        EXPECT_EQ(QDir(stick).entryList(QDir::Files | QDir::Hidden).size(), 4);
        EXPECT_TRUE(host_.messages.shown.empty());
        PickDestination(out_);
    }
    PickDestination(stick);
    EXPECT_EQ(QDir(stick).entryList(QDir::Files | QDir::Hidden), QStringList({"ltn0.pgf"}));
    QFile back(stick + "/ltn0.pgf");
    ASSERT_TRUE(back.open(QIODevice::ReadOnly));
    EXPECT_EQ(back.readAll(), "earlier 0");
    ASSERT_EQ(host_.messages.shown.size(), 1);
    EXPECT_TRUE(host_.messages.shown[0].text.contains("was cut short earlier"));
    PickDestination(out_);
    PickDestination(stick);
    EXPECT_EQ(host_.messages.shown.size(), 1) << "said once";
}

} // namespace
} // namespace korven::forms::testing
