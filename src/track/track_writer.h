#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "catalog/catalog.h"
#include "track/track.h"

// The converted file for `track`: head bytes, block count, block entries with what follows
// them, tail bytes. None when the track has no counted blocks or a block has no name to write.
std::optional<std::vector<std::uint8_t>>
serialiseTrack(const Track& track, const TrackEnvelope& envelope, const CatalogState& catalog);

// Writes the converted file to `target` as replaceFileAtomically does. False, with the target as
// it was, on any failure (a target that cannot be opened for writing is never written).
bool saveTrack(const std::filesystem::path& target, const Track& track,
               const TrackEnvelope& envelope, const CatalogState& catalog);
