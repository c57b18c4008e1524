#pragma once

#include <cstdint>
#include <optional>

#include "track/track.h"

// A fingerprint of what a save writes of the records: equal tracks give equal fingerprints.
std::uint64_t trackFingerprint(const Track& track);

// Tells whether the track differs from its file and counts the changes seen, from fingerprints
// taken at each look. It gives the recovery the "modified" state and step count that an edit
// history keeps; changes between two looks count as one step.
class ChangeWatch {
  public:
    // The track is what its file holds (opened or saved).
    void matchesFile(const Track& track);
    // The track differs from its file until the next save (a recovered track).
    void differsFromFile(const Track& track);
    void look(const Track& track);

    bool modified() const { return !onFile_ || *onFile_ != last_; }
    std::uint64_t steps() const { return steps_; }

  private:
    std::optional<std::uint64_t> onFile_;
    std::uint64_t last_ = 0;
    std::uint64_t steps_ = 0;
};
