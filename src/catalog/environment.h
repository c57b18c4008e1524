#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

inline constexpr int kEnvironmentCount = 7;
inline constexpr int kStadium = 6;

using EnvironmentNames = std::array<std::string, kEnvironmentCount>;

// "Alpine", "Bay", "Coast", "Island", "Rally", "Speed", "Stadium": folder names under data and the
// texts that the track reader searches for.
void initEnvironmentNames(EnvironmentNames& names);

// The environment of a track's "<desc envir=" value: its first letter, and for "S" the second
// ("Sp" is Speed, any other "S" is Stadium). None for an unknown letter.
std::optional<int> environmentFromCode(std::string_view code);
