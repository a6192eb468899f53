#include "app/Backups.h"

#include "app/ConverterJob.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korven::app {
namespace {

using State = ConverterObservation::State;

TEST(Backups, KeepOnlyWhatExistsAndSayWhyWhenTheyCannot) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString folder = root.filePath(QStringLiteral("font"));
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile file(folder + QStringLiteral("/ltn0.pgf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("earlier");
    file.close();
    const QString backups = root.filePath(QStringLiteral("backups"));

    EXPECT_TRUE(KeepEarlierFiles(backups, folder, {"ltn4.pgf"}).ok);
    EXPECT_TRUE(ListBackups(backups).isEmpty()) << "nothing there, nothing kept";

    const KeptFiles kept = KeepEarlierFiles(backups, folder, {"ltn0.pgf", "ltn4.pgf"});
    ASSERT_TRUE(kept.ok) << qPrintable(kept.error);
    const QList<BackupEntry> listed = ListBackups(backups);
    ASSERT_EQ(listed.size(), 1);
    EXPECT_EQ(listed[0].path, kept.backupPath);
    EXPECT_EQ(listed[0].files, QStringList({"ltn0.pgf"}));
    EXPECT_EQ(BackupMenuText(listed[0]), listed[0].made + ": ltn0.pgf from " + folder);

    const KeptFiles refused = KeepEarlierFiles(folder + "/ltn0.pgf", folder, {"ltn0.pgf"});
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(refused.error.startsWith("cannot make a backup in")) << qPrintable(refused.error);
}

TEST(Backups, RestoreVerdicts) {
    const struct {
        const char* name;
        State state;
        int code;
        QString out, err;
        bool success;
        QString message;
        QString details;
    } rows[] = {
        {"put back", State::Exited, 0, "restored 1 file to /f from /b: ltn0.pgf\n", "", true,
         "The backup was put back.", "restored 1 file to /f from /b: ltn0.pgf"},
        {"refused", State::Exited, 1, "",
         "ttf2pgf: note: kept\nttf2pgf: cannot use \"/b\" as a backup\nttf2pgf: nothing was "
         "restored\n",
         false,
         "The backup was not put back; the folder is as it was.\n\nThe converter said: ttf2pgf: "
         "cannot use \"/b\" as a backup\nttf2pgf: nothing was restored",
         "To run it by hand:\nttf2pgf --restore /b"},
        {"crashed", State::Crashed, 0, "", "", false,
         "The backup was not put back: the converter stopped abnormally.",
         "To run it by hand:\nttf2pgf --restore /b"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ConverterObservation seen;
        seen.state = row.state;
        seen.exitCode = row.code;
        seen.standardOutput = row.out;
        seen.lastErrorLine = ConverterWords(row.err);
        seen.commandLine = QStringLiteral("ttf2pgf --restore /b");
        const JobVerdict verdict = JudgeRestore(seen);
        EXPECT_TRUE(verdict.finished);
        EXPECT_EQ(verdict.success, row.success);
        EXPECT_EQ(verdict.message, row.message);
        EXPECT_EQ(verdict.details, row.details);
    }
    ConverterObservation running;
    EXPECT_FALSE(JudgeRestore(running).finished);
}

} // namespace
} // namespace korven::app
