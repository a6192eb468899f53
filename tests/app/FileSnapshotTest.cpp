// Whether the output file was written during a job, judged from two looks at it.

#include "app/ConversionJob.h"

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

} // namespace
} // namespace korven::app
