#include "view/frame_stats.h"

#include <chrono>

ClockReading readFrameClock() {
    using namespace std::chrono;
    const auto sinceStart = steady_clock::now().time_since_epoch();
    ClockReading r;
    r.tick = static_cast<std::uint32_t>(duration_cast<milliseconds>(sinceStart).count());
    r.counter = duration_cast<nanoseconds>(sinceStart).count();
    r.frequency = 1'000'000'000;
    return r;
}

void frameStatsReset(FrameStats& stats, const ClockReading& now) {
    stats.interval = 250;
    stats.frameCount = 0;
    stats.framesPerSecond = 0;
    stats.windowStart = now.tick;
    stats.lastCounter = now.counter;
}

double frameStatsTick(FrameStats& stats, const ClockReading& now, std::uint32_t freshTick) {
    const double frameTime = static_cast<double>(now.counter - stats.lastCounter) /
                             static_cast<double>(now.frequency) * 1000.0;
    stats.lastCounter = now.counter;

    // After the tick count wraps round the window runs on from the top of the range.
    const std::uint32_t elapsed = now.tick < stats.windowStart
                                      ? (0xFFFFFFFFu - stats.windowStart) + now.tick
                                      : now.tick - stats.windowStart;
    if (elapsed > stats.interval) {
        stats.framesPerSecond = stats.frameCount * 1000.0 / elapsed;
        stats.frameCount = 0;
        stats.windowStart = freshTick;
    } else {
        ++stats.frameCount;
    }
    return frameTime;
}

void frameStatsReset(FrameStats& stats) {
    frameStatsReset(stats, readFrameClock());
}

double frameStatsTick(FrameStats& stats) {
    const ClockReading now = readFrameClock();
    return frameStatsTick(stats, now, readFrameClock().tick);
}
