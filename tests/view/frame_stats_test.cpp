#include <gtest/gtest.h>

#include "view/frame_stats.h"

namespace {

ClockReading at(std::uint32_t tick, std::int64_t counter = 0) {
    return {tick, counter, 1'000'000};
}

TEST(FrameStats, ResetStartsAWindowOf250Milliseconds) {
    FrameStats s;
    s.framesPerSecond = 12;
    s.frameCount = 9;
    s.interval = 7;
    frameStatsReset(s, at(5000, 42));
    EXPECT_EQ(s.interval, 250u);
    EXPECT_EQ(s.frameCount, 0u);
    EXPECT_EQ(framesPerSecond(s), 0);
    EXPECT_EQ(s.windowStart, 5000u);
    EXPECT_EQ(s.lastCounter, 42);
}

TEST(FrameStats, RateChangesOnlyWhenAWindowLongerThanTheIntervalCloses) {
    FrameStats s;
    frameStatsReset(s, at(1000));
    for (std::uint32_t t = 1010; t <= 1250; t += 10)
        frameStatsTick(s, at(t), t);
    // 25 frames counted, the window of exactly 250 ms is still open.
    EXPECT_EQ(s.frameCount, 25u);
    EXPECT_EQ(framesPerSecond(s), 0);

    frameStatsTick(s, at(1260), 1261);
    EXPECT_DOUBLE_EQ(framesPerSecond(s), 25 * 1000.0 / 260);
    // The closing frame is not counted in the next window, which starts at the fresh reading.
    EXPECT_EQ(s.frameCount, 0u);
    EXPECT_EQ(s.windowStart, 1261u);
}

TEST(FrameStats, WindowRunsOnAcrossTheTickCountWrappingRound) {
    FrameStats s;
    frameStatsReset(s, at(0xFFFFFFF0u));
    for (int i = 0; i < 4; ++i)
        frameStatsTick(s, at(0xFFFFFFF8u), 0xFFFFFFF8u);
    // Elapsed across the wrap is (0xFFFFFFFF - start) + tick: 15 + 235 = 250, not yet more.
    frameStatsTick(s, at(235), 235);
    EXPECT_EQ(s.frameCount, 5u);
    EXPECT_EQ(framesPerSecond(s), 0);
    frameStatsTick(s, at(236), 237);
    EXPECT_DOUBLE_EQ(framesPerSecond(s), 5 * 1000.0 / 251);
    EXPECT_EQ(s.windowStart, 237u);
}

TEST(FrameStats, TickReturnsTheFrameTimeFromTheHighResolutionCounter) {
    FrameStats s;
    frameStatsReset(s, at(0, 1'000'000));
    EXPECT_DOUBLE_EQ(frameStatsTick(s, at(16, 1'016'500), 16), 16.5);
    EXPECT_EQ(s.lastCounter, 1'016'500);
    EXPECT_DOUBLE_EQ(frameStatsTick(s, at(20, 1'020'500), 20), 4.0);
}

} // namespace
