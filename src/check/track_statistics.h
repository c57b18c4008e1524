#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "catalog/catalog.h"
#include "edit/area.h"
#include "track/track.h"

// Counts of a track's blocks against the current environment's catalogue.
struct TrackStatistics {
    std::size_t blocks = 0;
    // Name and number of blocks, most first (ties by name); kinds the catalogue lacks by the
    // name the file gave them, and under the family "unknown".
    std::vector<std::pair<std::string, std::size_t>> kinds;
    std::vector<std::pair<std::string, std::size_t>> families;
    // The lowest and highest corner of the cells the blocks cover; none without blocks.
    std::optional<std::pair<GridCell, GridCell>> box;
    // Each level (height) that some block covers a cell of, lowest first, with how many blocks
    // do.
    std::vector<std::pair<int, std::size_t>> levels;
};

TrackStatistics trackStatistics(const Track& track, const CatalogState& catalog);
