#include "host/seams/ProcessStarter.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace korven::host {
namespace {

// Handles events until `done` holds or `milliseconds` pass; QTRY_* would report a timeout
// to QtTest, which GoogleTest never sees.
template <class Predicate>
bool WaitUntil(Predicate done, int milliseconds = 10000) {
    const QDeadlineTimer deadline(milliseconds);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(5);
    }
    return true;
}

// Real child processes: small shell scripts written into a scratch folder.
class ProcessStarterTest : public ::testing::Test {
protected:
    QString Script(const QString& name, const QByteArray& body, bool executable = true) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n" + body + "\n");
        file.close();
        if (executable)
            file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                QFileDevice::ExeOwner);
        return path;
    }

    // Polls the handle until the child has ended, handling events meanwhile.
    static ProcessState WaitForEnd(ProcessHandle& handle) {
        WaitUntil([&] { return handle.State() != ProcessState::Running; });
        return handle.State();
    }

    QTemporaryDir dir;
    QtProcessStarter starter;
};

TEST_F(ProcessStarterTest, ExitZeroIsExitedWithCodeZeroAndFinishedOnce) {
    auto handle = starter.Start(Script("ok", "exit 0"), {});
    QSignalSpy finished(handle.get(), &ProcessHandle::Finished);
    EXPECT_EQ(WaitForEnd(*handle), ProcessState::Exited);
    EXPECT_EQ(handle->ExitCode(), 0);
    EXPECT_TRUE(handle->LastErrorLine().isEmpty());
    EXPECT_TRUE(WaitUntil([&] { return finished.count() >= 1; }));
    handle->State(); // polling after the end must not announce it again
    QTest::qWait(20);
    EXPECT_EQ(finished.count(), 1);
}

TEST_F(ProcessStarterTest, ExitOneKeepsTheLastErrorLine) {
    auto handle = starter.Start(
        Script("bad", "echo 'reading font' >&2\necho 'cannot open font: bad glyf table' >&2\n"
                      "echo '  ' >&2\necho 'on stdout' \nexit 1"),
        {});
    EXPECT_EQ(WaitForEnd(*handle), ProcessState::Exited);
    EXPECT_EQ(handle->ExitCode(), 1);
    EXPECT_EQ(handle->LastErrorLine(), "cannot open font: bad glyf table");
    EXPECT_TRUE(handle->ErrorOutput().startsWith("reading font\n"));
    EXPECT_FALSE(handle->ErrorOutput().contains("on stdout"));
}

TEST_F(ProcessStarterTest, StateIsCurrentWithoutAnEventLoop) {
    auto handle = starter.Start(Script("quick", "exit 3"), {});
    // Block in the poll itself rather than in an event loop.
    for (int i = 0; i < 100000 && handle->State() == ProcessState::Running; ++i) {
        QTest::qSleep(1);
    }
    EXPECT_EQ(handle->State(), ProcessState::Exited);
    EXPECT_EQ(handle->ExitCode(), 3);
}

TEST_F(ProcessStarterTest, MissingOrNotExecutableProgramFailsToStartAtOnce) {
    auto missing = starter.Start(dir.filePath("ttf2pgf"), {"a.ttf"});
    EXPECT_EQ(missing->State(), ProcessState::FailedToStart);
    EXPECT_FALSE(missing->FailureText().isEmpty());
    EXPECT_EQ(missing->ExitCode(), -1);

    auto plain = starter.Start(Script("not-exec", "exit 0", false), {});
    EXPECT_EQ(plain->State(), ProcessState::FailedToStart);
}

TEST_F(ProcessStarterTest, KilledChildIsCrashed) {
    auto handle = starter.Start(Script("dies", "kill -SEGV $$"), {});
    EXPECT_EQ(WaitForEnd(*handle), ProcessState::Crashed);
    EXPECT_EQ(handle->ExitCode(), -1);
}

TEST_F(ProcessStarterTest, ArgumentsReachTheChildExactlyWithoutAShell) {
    const QString out = dir.filePath("args.bin");
    const QStringList arguments = {
        QString::fromUtf8("/home/u/My Fonts/Arial Bold.ttf"),
        "it's \"quoted\"",
        "$HOME ${PATH} $(touch pwned)",
        "a; touch pwned; b",
        "x & touch pwned &",
        "`touch pwned`",
        QString::fromUtf8("/media/ünï cödé/ltn0.pgf"),
        "",
        "| > < * ? ~ \\ #",
    };
    const QString script = Script(
        "echo-args",
        QStringLiteral("for a in \"$@\"; do printf '%s\\0' \"$a\"; done > '%1'").arg(out).toUtf8());
    const QString saved = QDir::currentPath();
    QDir::setCurrent(dir.path());
    auto handle = starter.Start(script, arguments);
    const ProcessState state = WaitForEnd(*handle);
    QDir::setCurrent(saved);
    ASSERT_EQ(state, ProcessState::Exited);

    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray expected;
    for (const QString& argument : arguments)
        expected += argument.toUtf8() + '\0';
    EXPECT_EQ(file.readAll(), expected);
    EXPECT_FALSE(QFile::exists(dir.filePath("pwned")));
}

TEST_F(ProcessStarterTest, ChildInheritsTheCurrentDirectory) {
    const QString saved = QDir::currentPath();
    QDir::setCurrent(dir.path());
    auto handle = starter.Start(Script("where", "pwd > here.txt"), {});
    const ProcessState state = WaitForEnd(*handle);
    QDir::setCurrent(saved);
    ASSERT_EQ(state, ProcessState::Exited);
    QFile here(dir.filePath("here.txt"));
    ASSERT_TRUE(here.open(QIODevice::ReadOnly));
    EXPECT_EQ(QDir(QString::fromLocal8Bit(here.readAll().trimmed())).canonicalPath(),
              QDir(dir.path()).canonicalPath());
}

TEST_F(ProcessStarterTest, DroppingTheHandleLeavesTheChildRunning) {
    const QString go = dir.filePath("go");
    const QString done = dir.filePath("done");
    auto handle =
        starter.Start(Script("slow", QStringLiteral("while [ ! -e '%1' ]; do sleep 0.01; done\n"
                                                    "echo late >&2\ntouch '%2'")
                                         .arg(go, done)
                                         .toUtf8()),
                      {});
    ASSERT_EQ(handle->State(), ProcessState::Running);
    handle.reset();
    QFile(go).open(QIODevice::WriteOnly);
    EXPECT_TRUE(WaitUntil([&] { return QFile::exists(done); }));
}

} // namespace
} // namespace korven::host
