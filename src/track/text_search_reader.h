#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "catalog/environment.h"
#include "track/parsed_track.h"

// Finds the block list by text searches ("<ident uid=", "<desc envir=", the uid again, the
// environment's name, "Nadeo") and reads the entries from 29 bytes behind "Nadeo" up to the end
// marker. Names 1 to 5 count as taken by the head. None when a search or read would leave the
// buffer, no end marker follows, or the entries counted differ from the stored count.
std::optional<ParsedTrack> readByTextSearch(const std::vector<std::uint8_t>& bytes,
                                            const EnvironmentNames& environmentNames,
                                            int previousEnvironment);
