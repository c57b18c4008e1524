#include "recovery/recovery_schedule.h"

RecoverySchedule::Due RecoverySchedule::check(bool modified, std::uint64_t steps,
                                              Clock::time_point now) const {
    if (!modified)
        return copyExists_ ? Due::Remove : Due::Nothing;
    if (steps == stepsAtCopy_)
        return Due::Nothing;
    if (steps - stepsAtCopy_ >= kSteps || now - since_ >= kInterval)
        return Due::Write;
    return Due::Nothing;
}

void RecoverySchedule::wrote(std::uint64_t steps, Clock::time_point now) {
    copyExists_ = true;
    stepsAtCopy_ = steps;
    since_ = now;
}

void RecoverySchedule::removed(std::uint64_t steps, Clock::time_point now) {
    copyExists_ = false;
    stepsAtCopy_ = steps;
    since_ = now;
}
