#pragma once

#include <array>

#include "catalog/environment.h"

// The level on whose bottom each environment's land lies: where the game's own tracks stand their
// lowest blocks outside terrain (the Stadium's field under level 1, every other environment's
// land under level 4). The view draws the ground there and the data pack builds its samples on
// it. It depends on nothing but the language, so that the generator can use it without the
// editor.
inline constexpr std::array<int, kEnvironmentCount> kGroundLevels{4, 4, 4, 4, 4, 4, 1};

inline int groundLevel(int environment) {
    return environment >= 0 && environment < kEnvironmentCount
               ? kGroundLevels[static_cast<std::size_t>(environment)]
               : 1;
}
