#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "track/track.h"

// How a block differs between an older version of a track (a) and a newer one (b). A matched
// pair is named by the first that applies of moved, turned and changed; `what` tells all of it.
enum class DifferenceKind { Added, Removed, Moved, Turned, Changed };

// What differs between the two blocks of a matched pair.
inline constexpr unsigned kDiffPlace = 1;
inline constexpr unsigned kDiffTurn = 2;
inline constexpr unsigned kDiffVariant = 4;
inline constexpr unsigned kDiffHidden = 8;
inline constexpr unsigned kDiffSkin = 16; // the author, skin or waypoint that follows the block

struct BlockDifference {
    DifferenceKind kind = DifferenceKind::Changed;
    const BlockRecord* a = nullptr; // none when added
    const BlockRecord* b = nullptr; // none when removed
    std::size_t aIndex = 0;         // 0-based list positions, where the block is
    std::size_t bIndex = 0;
    unsigned what = 0;
};

struct TrackDiff {
    // Added, removed, moved, turned and changed in that order; each in list order of b (of a for
    // the removed).
    std::vector<BlockDifference> differences;
    // The shift of the whole track taken out before places were compared (none unless b is
    // a shifted).
    std::array<int, 3> shift{};
};

// Matches the blocks of b with those of a: first by kind and place, then the rest by kind and
// nearest place. Places are compared after a shift of the whole track: of no shift, the shift
// that lines up the tracks' cell boxes, and the shifts that line up a kind with one block in
// each, the one under which the most blocks keep kind, place and turn (no shift when tied).
// Kinds are compared by name, each in its own track's catalogue.
TrackDiff diffTracks(const Track& a, const CatalogState& catalogA, const Track& b,
                     const CatalogState& catalogB);

const char* differenceName(DifferenceKind kind);
// The names of what differs, in the order of the bits: place, turn, variant, hidden, skin.
std::vector<const char*> whatDiffersNames(unsigned what);
// One difference in a line: "moved Kind 1,2,3 turn 0 -> 2,2,3 turn 1 (place, turn)" for a pair,
// "added Kind 1,2,3 turn 0" for a block of one track only.
std::string differenceText(const BlockDifference& difference, const std::string& kind);
