// Deciding the report from what was seen of the converter.

#include "app/JobVerdict.h"

#include <QList>
#include <QStringList>
#include <QTextBoundaryFinder>
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
    EXPECT_EQ(ok.flags.toInt(), 0);

    for (const auto& seen : {Seen(State::Exited, 0, false), Seen(State::Exited, 2, true),
                             Seen(State::Crashed, 0, true), Seen(State::FailedToStart, 0, false)}) {
        const JobVerdict bad = JudgeConverter(seen);
        EXPECT_TRUE(bad.finished);
        EXPECT_FALSE(bad.success);
        EXPECT_EQ(bad.flags.toInt(), 16);
        EXPECT_NE(bad.message, "operation concluded correctly");
    }
}

TEST(JobVerdictTest, ARunningConverterIsNotJudgedYet) {
    const JobVerdict v = JudgeConverter(Seen(State::Running, 0, true));
    EXPECT_FALSE(v.finished);
    EXPECT_TRUE(v.message.isEmpty());
}

TEST(JobVerdictTest, MessagesSayWhatHappenedInPlainWordsAndHowToRetry) {
    struct Case {
        ConverterObservation seen;
        QString expected;
    };
    ConverterObservation failed = Seen(State::Exited, 7, false);
    failed.lastErrorLine = QStringLiteral("bad glyph");
    ConverterObservation missing = Seen(State::FailedToStart, 0, false);
    missing.lastErrorLine = QStringLiteral("execvp: No such file or directory");
    missing.converterExists = false;
    const Case cases[] = {
        {failed, "The conversion failed: the converter ttf2pgf stopped with this message:\n"
                 "bad glyph"},
        {Seen(State::Exited, 7, false),
         "The conversion failed: the converter ttf2pgf stopped without a message (exit code 7)."},
        {Seen(State::Exited, 0, false),
         "The conversion failed: the converter ended without writing\n/out/ltn0.pgf"},
        {Seen(State::Crashed, 0, false),
         "The conversion failed: the converter ttf2pgf stopped abnormally."},
        {missing, "The converter ttf2pgf was not found in /opt/k."},
        {Seen(State::FailedToStart, 0, false), "The converter ttf2pgf in /opt/k could not be run."},
    };
    for (Case c : cases) {
        c.seen.commandLine = QStringLiteral("/opt/k/ttf2pgf /f/a.ttf /out/ltn0.pgf 12 i2");
        const JobVerdict v = JudgeConverter(c.seen);
        EXPECT_EQ(v.message, c.expected);
        // A missing converter cannot be run by hand: the box says how to get it back.
        EXPECT_EQ(v.details,
                  c.seen.converterExists
                      ? "To run it by hand:\n/opt/k/ttf2pgf /f/a.ttf /out/ltn0.pgf 12 i2"
                      : "It was looked for at /opt/k/ttf2pgf, beside this program.\nTo get it "
                        "back, reinstall the program's package, or build the program again (the "
                        "converter is built with it).");
    }
}

TEST(JobVerdictTest, AFailureSaysAnEarlierOutputIsUnchangedOnlyWhenItIs) {
    const QString note = QStringLiteral("\n\nThe earlier ltn0.pgf is unchanged.");
    for (State state : {State::Exited, State::Crashed, State::FailedToStart}) {
        for (bool existed : {false, true}) {
            for (bool written : {false, true}) {
                ConverterObservation seen = Seen(state, 1, written);
                seen.outputExisted = existed;
                EXPECT_EQ(JudgeConverter(seen).message.endsWith(note), existed && !written)
                    << int(state) << existed << written;
            }
        }
    }
}

TEST(JobVerdictTest, TheReportSaysWhatWasWrittenFromTheConvertersLine) {
    const struct {
        const char* output;
        const char* expected;
    } cases[] = {
        {"wrote /media/PSP/ltn0.pgf: 339 glyphs, 62624 bytes\n",
         "Written: /media/PSP/ltn0.pgf, 339 characters"},
        {"wrote /a: b/ltn0.pgf: 338 glyphs, 1 bytes; left out 2 characters: U+2030, U+20AC",
         "Written: /a: b/ltn0.pgf, 338 characters\nLeft out 2 characters: ‰\u00A0U+2030, "
         "€\u00A0U+20AC"},
        {"wrote /x/ltn0.pgf: 1 glyphs, 9 bytes; left out 1 character: U+2030",
         "Written: /x/ltn0.pgf, 1 character\nLeft out 1 character: ‰\u00A0U+2030"},
        // Characters that show as nothing keep their code alone; a character beyond 16 bits
        // is written whole.
        {"wrote /x/ltn0.pgf: 3 glyphs, 9 bytes; left out 3 characters: U+00A0 U+0085 U+1F600",
         "Written: /x/ltn0.pgf, 3 characters\nLeft out 3 characters: U+00A0 U+0085 😀\u00A0U+1F600"},
        // No report line (an older converter): the file it was asked to write.
        {"", "Written: /out/ltn0.pgf"},
    };
    for (const auto& c : cases) {
        ConverterObservation seen = Seen(State::Exited, 0, true);
        seen.standardOutput = QString::fromUtf8(c.output);
        const JobVerdict v = JudgeConverter(seen);
        EXPECT_EQ(v.message, "operation concluded correctly");
        EXPECT_EQ(v.details, QString::fromUtf8(c.expected));
    }
}

// The box wraps the list between entries only: a character, its code and a range stay on one
// line.
TEST(JobVerdictTest, ALeftOutListBreaksOnlyBetweenEntries) {
    ConverterObservation seen = Seen(State::Exited, 0, true);
    seen.standardOutput = QStringLiteral(
        "wrote /x/ltn0.pgf: 339 glyphs, 9 bytes; left out 300 characters: U+0370-U+04FF U+2030 "
        "U+00A0-U+00A2 U+20AC");
    const QString details = JudgeConverter(seen).details;
    const QString list = details.mid(details.indexOf(u':', details.indexOf(u'\n')) + 2);
    const QStringList entries = {
        QStringLiteral("Ͱ\u00A0U+0370\u2060-\u2060ӿ\u00A0U+04FF"), QStringLiteral("‰\u00A0U+2030"),
        QStringLiteral("U+00A0\u2060-\u2060¢\u00A0U+00A2"), QStringLiteral("€\u00A0U+20AC")};
    ASSERT_EQ(list, entries.join(u' '));
    QList<qsizetype> breaks;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line, list);
    for (qsizetype at = finder.toNextBoundary(); at > 0 && at < list.size();
         at = finder.toNextBoundary()) {
        breaks << at;
    }
    QList<qsizetype> between;
    for (qsizetype at = 0, i = 0; i + 1 < entries.size(); ++i) {
        at += entries[i].size() + 1;
        between << at;
    }
    EXPECT_EQ(breaks, between);
}

} // namespace
} // namespace korven::app
