#pragma once

#include <string>

inline constexpr const char* kChallengeSuffix = ".Challenge.Gbx";

// The path a "Save as..." writes to: the chosen path when it already ends in ".Challenge.Gbx"
// in any mix of case, otherwise the chosen path with ".Challenge.Gbx" appended.
std::string withChallengeSuffix(const std::string& chosen);
