#pragma once

#include <cstddef>
#include <string>
#include <vector>

inline constexpr std::size_t kRecentTrackLimit = 10;

// The recent tracks, newest first, each path once and at most kRecentTrackLimit of them.
std::vector<std::string> withRecentTrack(std::vector<std::string> tracks, const std::string& path);
std::vector<std::string> withoutRecentTrack(std::vector<std::string> tracks,
                                            const std::string& path);
