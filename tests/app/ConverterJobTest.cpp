// Convert's and SET's verdicts from what the converter says and leaves on the disk, with a
// fake process and no window.

#include "app/ConverterJob.h"

#include "support/FakeHost.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korven::app {
namespace {

using host::ProcessState;
using host::testing::FakeProcessStarter;

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// An account in the converter's own form: the set's files in `folder`, the first `files` of
// them, ltn4.pgf lacking four Greek letters in a row and U+2030.
QByteArray SetAccount(const QString& folder, int files, const char* outcome) {
    QByteArray list;
    for (int n = 0; n < files; ++n) {
        list += (n ? ", " : "") +
                QStringLiteral(R"({"path": "%1/ltn%2.pgf", "bytes": 62624, )"
                               R"("glyphs": 339, "leftOut": [%3]})")
                    .arg(folder)
                    .arg(n)
                    .arg(n == 4 ? R"("U+0370", "U+0371", "U+0372", "U+0373", "U+2030")" : "")
                    .toUtf8();
    }
    return R"({"program": "ttf2pgf", "version": "1.1.0", "command": "set", "outcome": ")" +
           QByteArray(outcome) + R"(", "exitCode": 0,
 "files": [)" +
           list + R"(], "backups": [], "notes": [], "errors": [],
 "set": {"sansSerif": "DejaVu Sans", "serif": "Liberation Serif", "synthesized": ["ltn3"]}})";
}

class ConverterJobTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        starter_.onStart = [this](const host::testing::StartedProcess& p) {
            arguments_ = p.arguments;
        };
    }

    std::unique_ptr<ConverterJob> Start(ConverterJob::Kind kind, const QString& output) {
        ConverterInvocation invocation{QStringLiteral("/opt/k/ttf2pgf"), {QStringLiteral("x")}};
        return ConverterJob::Start(starter_, kind, invocation, output);
    }

    void End(int code, const QString& standardOutput = {}) {
        starter_.started.last().handle->standardOutput = standardOutput;
        starter_.started.last().handle->Finish(ProcessState::Exited, code);
    }

    QTemporaryDir dir_;
    FakeProcessStarter starter_;
    QStringList arguments_;
};

// Only the converter's own line and the file on the disk count; sizes and times do not, so a
// file written again with the same size in the same second is written.
TEST_F(ConverterJobTest, ConvertIsJudgedFromItsLineAndItsFile) {
    const QString output = dir_.filePath(QStringLiteral("ltn0.pgf"));
    const QString line = "wrote " + output + ": 339 glyphs, 62624 bytes\n";
    const struct {
        const char* name;
        bool fileThere;
        int code;
        QString out;
        bool success;
    } rows[] = {
        {"written again, same size and time", true, 0, line, true},
        {"no line", true, 0, "", false},
        {"a line naming another file", true, 0, "wrote /else/ltn0.pgf: 1 glyph, 1 bytes\n", false},
        {"a line but no file", false, 0, line, false},
        {"a failure", true, 1, line, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QFile::remove(output);
        if (row.fileThere)
            Write(output, "same");
        auto job = Start(ConverterJob::Kind::Convert, output);
        EXPECT_EQ(arguments_, QStringList({"x"})) << "Convert's command line stays as designed";
        EXPECT_FALSE(job->Verdict().finished);
        End(row.code, row.out);
        const JobVerdict verdict = job->Verdict();
        EXPECT_TRUE(verdict.finished);
        EXPECT_EQ(verdict.success, row.success);
    }
}

TEST_F(ConverterJobTest, SetIsJudgedFromItsAccountAndItsFiles) {
    const QString folder = dir_.path();
    const struct {
        const char* name;
        int written;        // files the account names
        int onDisk;         // of those, the ones there
        QByteArray outcome; // empty: no account
        bool success;
        QString message;
    } rows[] = {
        {"all sixteen", 16, 16, "done", true, "operation concluded correctly"},
        {"one gone from the disk", 16, 15, "done", false,
         "The set was not written whole: the converter ended having written only 15 of the 16 "
         "files into\n"},
        {"no account", 16, 16, "", false,
         "The set was not written: the converter ended without writing into\n"},
        {"an account that failed", 0, 0, "failed", false,
         "The set was not written: the converter ended without writing into\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        for (int n = 0; n < 16; ++n)
            QFile::remove(QStringLiteral("%1/ltn%2.pgf").arg(folder).arg(n));
        auto job = Start(ConverterJob::Kind::Set, folder);
        ASSERT_EQ(arguments_.size(), 3);
        EXPECT_EQ(arguments_[1], "--report-json");
        for (int n = 0; n < row.onDisk; ++n)
            Write(QStringLiteral("%1/ltn%2.pgf").arg(folder).arg(n), "new");
        if (!row.outcome.isEmpty())
            Write(arguments_[2], SetAccount(folder, row.written, row.outcome));
        End(0);
        const JobVerdict verdict = job->Verdict();
        EXPECT_TRUE(verdict.finished);
        EXPECT_EQ(verdict.success, row.success);
        EXPECT_TRUE(verdict.message.startsWith(row.message)) << qPrintable(verdict.message);
        if (row.success) {
            EXPECT_EQ(verdict.details,
                      "Written: ltn0.pgf to ltn15.pgf in " + QDir::toNativeSeparators(folder) +
                          "\nSans-serif from DejaVu Sans, serif from Liberation Serif"
                          "\nMade by synthesis: ltn3.pgf (serif, italic)"
                          "\nLeft out U+0370-U+0373 U+2030 from ltn4.pgf");
        }
    }
}

TEST_F(ConverterJobTest, TheAccountFileGoesWithTheJob) {
    auto job = Start(ConverterJob::Kind::Set, dir_.path());
    const QString account = arguments_[2];
    Write(account, "{}");
    job.reset();
    EXPECT_FALSE(QFile::exists(account));
}

} // namespace
} // namespace korven::app
