#pragma once

#include <chrono>
#include <cstdint>

// When a recovery copy is due. While the track has unsaved changes, a copy is due once 50 steps
// were done since the last copy, or once a step was done and 30 s have passed since the last copy
// was written or removed: so at most one copy each 30 s, unless 50 steps come sooner. Once the
// changes are saved or dropped, the copy is due for removal.
class RecoverySchedule {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds kInterval{30};
    static constexpr std::uint64_t kSteps = 50;

    enum class Due { Nothing, Write, Remove };

    // `modified`: the track has unsaved changes; `steps`: the steps done so far, counted
    // from any fixed start.
    Due check(bool modified, std::uint64_t steps, Clock::time_point now) const;

    // What was done about it.
    void wrote(std::uint64_t steps, Clock::time_point now);
    void removed(std::uint64_t steps, Clock::time_point now);
    // A copy that exists already stands for the given steps (a recovered track).
    void adopt(std::uint64_t steps, Clock::time_point now) { wrote(steps, now); }

  private:
    bool copyExists_ = false;
    std::uint64_t stepsAtCopy_ = 0;
    Clock::time_point since_{};
};
