#include <gtest/gtest.h>

#include "recovery/recovery_schedule.h"

namespace {

using Due = RecoverySchedule::Due;
using std::chrono::seconds;

TEST(RecoverySchedule, AtMostEveryThirtySecondsUnlessFiftyStepsComeSooner) {
    RecoverySchedule schedule;
    const auto start = RecoverySchedule::Clock::now();
    schedule.removed(0, start); // opened
    EXPECT_EQ(schedule.check(false, 0, start + seconds(40)), Due::Nothing);
    EXPECT_EQ(schedule.check(true, 3, start + seconds(10)), Due::Nothing);
    EXPECT_EQ(schedule.check(true, 49, start + seconds(29)), Due::Nothing);
    EXPECT_EQ(schedule.check(true, 50, start + seconds(29)), Due::Write);
    schedule.wrote(50, start + seconds(29));
    // Nothing changed since the copy: however long it waits, nothing to write.
    EXPECT_EQ(schedule.check(true, 50, start + seconds(120)), Due::Nothing);
    EXPECT_EQ(schedule.check(true, 51, start + seconds(58)), Due::Nothing);
    EXPECT_EQ(schedule.check(true, 51, start + seconds(59)), Due::Write);
    schedule.wrote(51, start + seconds(59));
    EXPECT_EQ(schedule.check(true, 100, start + seconds(60)), Due::Nothing);
    EXPECT_EQ(schedule.check(true, 101, start + seconds(60)), Due::Write);
}

TEST(RecoverySchedule, SavedOrDroppedChangesRemoveTheCopy) {
    RecoverySchedule schedule;
    const auto start = RecoverySchedule::Clock::now();
    EXPECT_EQ(schedule.check(false, 7, start), Due::Nothing);
    schedule.wrote(7, start);
    EXPECT_EQ(schedule.check(false, 7, start + seconds(1)), Due::Remove);
    schedule.removed(7, start + seconds(1));
    EXPECT_EQ(schedule.check(false, 9, start + seconds(2)), Due::Nothing);
    // A recovered track's copy stands for its steps until the next one.
    schedule.adopt(9, start + seconds(2));
    EXPECT_EQ(schedule.check(true, 9, start + seconds(90)), Due::Nothing);
    EXPECT_EQ(schedule.check(false, 9, start + seconds(91)), Due::Remove);
}

} // namespace
