#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "seams/view_port.h"

// Maps flat picking colours back to what was drawn in them: a block record or a grid cell code.
class PickTable {
  public:
    struct Entry {
        std::uintptr_t payload = 0;
        Rgb colour;
    };

    // Forgets every entry and expects up to capacity assignments before the next reset.
    void resetPickTable(int capacity);
    // A fresh colour, never used by another entry since the reset, with no component 255 and
    // never a handle colour.
    Rgb assignPickColour(std::uintptr_t payload);
    // Payload of the entry drawn in this colour, or 0 (none).
    std::uintptr_t findPickColour(Rgb colour) const;

    int count() const { return static_cast<int>(entries_.size()); }
    const std::vector<Entry>& entries() const { return entries_; }

  private:
    // 15-bit values, uniform in 0..32767, the same sequence at every start.
    int nextRandom();
    static std::uint32_t pack(Rgb c) { return (c.r << 16) | (c.g << 8) | c.b; }

    std::vector<Entry> entries_;
    // Colours in use, one bit per 24-bit colour, so that uniqueness is a constant-time test.
    std::vector<bool> used_ = std::vector<bool>(1u << 24);
    std::uint32_t randomState_ = 1;
};

// A grid cell as a picking payload: (x + 1) in the low 16 bits, (y + 1) in the high ones.
inline std::uintptr_t cellCode(int x, int y) {
    return static_cast<std::uintptr_t>(x + 1) | (static_cast<std::uintptr_t>(y + 1) << 16);
}
