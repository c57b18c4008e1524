#pragma once

#include <cstdint>

// Frame-rate statistics: frames are counted over windows of interval milliseconds and the rate is
// recomputed each time a window closes.
struct FrameStats {
    std::uint32_t interval = 250;
    std::uint32_t frameCount = 0;
    double framesPerSecond = 0;
    std::uint32_t windowStart = 0;
    std::int64_t lastCounter = 0;
};

// One reading of the clocks: a millisecond tick count that wraps round at 2^32, and a
// high-resolution counter with its frequency in counts per second.
struct ClockReading {
    std::uint32_t tick = 0;
    std::int64_t counter = 0;
    std::int64_t frequency = 1;
};

ClockReading readFrameClock();

void frameStatsReset(FrameStats& stats, const ClockReading& now);
// Counts one frame read at now; freshTick is the tick count read again for a window that closes.
// Returns the milliseconds since the previous tick.
double frameStatsTick(FrameStats& stats, const ClockReading& now, std::uint32_t freshTick);

// The same, reading the clocks.
void frameStatsReset(FrameStats& stats);
double frameStatsTick(FrameStats& stats);

inline double framesPerSecond(const FrameStats& stats) {
    return stats.framesPerSecond;
}
