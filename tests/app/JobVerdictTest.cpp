// Deciding the report from what was seen of the converter.

#include "app/JobVerdict.h"

#include <gtest/gtest.h>

namespace korven::app {
namespace {

using State = ConverterObservation::State;

ConverterObservation Seen(State state, int code, bool written) {
    ConverterObservation seen;
    seen.state = state;
    seen.exitCode = code;
    seen.outputWritten = written;
    seen.converterPath = QStringLiteral("/opt/k/ttf2pgf");
    seen.outputPath = QStringLiteral("/out/ltn0.pgf");
    return seen;
}

TEST(JobVerdictTest, OnlyACleanExitWithAFreshOutputIsASuccess) {
    const JobVerdict ok = JudgeConverter(Seen(State::Exited, 0, true));
    EXPECT_TRUE(ok.finished);
    EXPECT_TRUE(ok.success);
    EXPECT_EQ(ok.message, "operation concluded correctly");
    EXPECT_EQ(ok.flags, 0);

    for (const auto& seen : {Seen(State::Exited, 0, false), Seen(State::Exited, 2, true),
                             Seen(State::Crashed, 0, true), Seen(State::FailedToStart, 0, false)}) {
        const JobVerdict bad = JudgeConverter(seen);
        EXPECT_TRUE(bad.finished);
        EXPECT_FALSE(bad.success);
        EXPECT_EQ(bad.flags, 16);
        EXPECT_NE(bad.message, "operation concluded correctly");
    }
}

TEST(JobVerdictTest, ARunningConverterIsNotJudgedYet) {
    const JobVerdict v = JudgeConverter(Seen(State::Running, 0, true));
    EXPECT_FALSE(v.finished);
    EXPECT_TRUE(v.message.isEmpty());
}

TEST(JobVerdictTest, MessagesNameWhatWentWrong) {
    ConverterObservation failed = Seen(State::Exited, 7, false);
    failed.lastErrorLine = QStringLiteral("bad glyph");
    EXPECT_TRUE(JudgeConverter(failed).message.contains("exit code 7"));
    EXPECT_TRUE(JudgeConverter(failed).message.contains("bad glyph"));

    EXPECT_TRUE(JudgeConverter(Seen(State::Exited, 0, false)).message.contains("/out/ltn0.pgf"));
    EXPECT_TRUE(JudgeConverter(Seen(State::Crashed, 0, false)).message.contains("crashed"));

    ConverterObservation missing = Seen(State::FailedToStart, 0, false);
    missing.lastErrorLine = QStringLiteral("No such file or directory");
    const QString text = JudgeConverter(missing).message;
    EXPECT_TRUE(text.contains("/opt/k/ttf2pgf"));
    EXPECT_TRUE(text.contains("No such file or directory"));
}

} // namespace
} // namespace korven::app
