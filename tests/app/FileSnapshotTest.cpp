// Whether the output file was written during a job, judged from two looks at it.

#include "app/ConversionJob.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korven::app {
namespace {

TEST(FileSnapshotTest, WrittenMeansNewOrChangedInTimeOrSize) {
    const QDateTime t = QDateTime::fromMSecsSinceEpoch(1'700'000'000'000);
    const FileSnapshot before{true, t, 100};
    const struct {
        const char* name;
        FileSnapshot before;
        FileSnapshot now;
        bool written;
    } cases[] = {
        {"same size, same time", before, {true, t, 100}, false},
        {"same size, other time", before, {true, t.addMSecs(1), 100}, true},
        {"other size, same time", before, {true, t, 101}, true},
        {"gone", before, {}, false},
        {"new", {}, {true, t, 100}, true},
        {"never there", {}, {}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.before.WrittenSince(c.now), c.written) << c.name;
    }
}

// The same file written twice in a row, as two conversions of one font do: the second
// write counts too, though the size is the same.
TEST(FileSnapshotTest, TheSecondOfTwoEqualWritesCounts) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ltn0.pgf"));
    auto write = [&path](const QDateTime& when) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("same bytes");
        ASSERT_TRUE(file.flush());
        ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
    };
    const QDateTime first = QDateTime::currentDateTime().addSecs(-10);
    write(first);
    const FileSnapshot afterFirst = FileSnapshot::Take(path);
    EXPECT_TRUE(FileSnapshot{}.WrittenSince(afterFirst));
    write(first.addSecs(5));
    EXPECT_TRUE(afterFirst.WrittenSince(FileSnapshot::Take(path)));
    QFile::remove(path);
    EXPECT_FALSE(afterFirst.WrittenSince(FileSnapshot::Take(path)));
}

} // namespace
} // namespace korven::app
