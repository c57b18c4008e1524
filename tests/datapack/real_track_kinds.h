#pragma once

#include <map>
#include <set>
#include <tuple>
#include <vector>

#include "block_kinds.h"
#include "road_ends.h"
#include "track/track.h"
#include "track_layout.h"

// What the generator's kinds say about the blocks of an opened track.
namespace real_track_kinds {

using Cell = std::tuple<int, int, int>;

inline Unit placedUnit(const BlockKind& kind, const BlockRecord& record, const Unit& unit) {
    Unit r = rotatedUnit(unit, spanX(kind), spanY(kind), record.rotation & 3);
    return {record.x + r.x, record.y + r.y, record.z + r.z};
}

// Cells that two or more blocks cover, blocks that stand aside (ground, water, pillars, clips)
// left out.
inline int overlappingCells(const Track& track, const std::vector<BlockKind>& kinds) {
    std::map<Cell, int> covered;
    for (const BlockRecord& record : track.blocks) {
        const BlockKind& kind = kinds[record.catalogIndex - 1];
        if (standsAside(kind.family))
            continue;
        for (const Unit& unit : kind.units) {
            Unit c = placedUnit(kind, record, unit);
            ++covered[{c.x, c.y, c.z}];
        }
    }
    int overlapping = 0;
    for (const auto& [cell, count] : covered)
        overlapping += count > 1;
    return overlapping;
}

struct EndCount {
    int ends = 0;
    int met = 0;
};

// The open road ends of a track under an orientation, and how many of them meet the end of a
// neighbour: the next cell in the end's direction, at the same level, holds an end facing back.
inline EndCount roadEndsMeeting(const Track& track, const std::vector<BlockKind>& kinds,
                                const RoadOrientation& orientation) {
    using End = std::tuple<int, int, int, int, int>;
    std::vector<End> ends;
    for (const BlockRecord& record : track.blocks) {
        const BlockKind& kind = kinds[record.catalogIndex - 1];
        for (const RoadEnd& end : roadEnds(kind, orientation)) {
            Unit c = placedUnit(kind, record, end.unit);
            int dx = end.dx, dy = end.dy;
            for (int r = 0; r < (record.rotation & 3); ++r)
                std::tie(dx, dy) = std::pair{-dy, dx};
            ends.push_back({c.x, c.y, c.z, dx, dy});
        }
    }
    const std::set<End> all(ends.begin(), ends.end());
    EndCount count;
    for (const auto& [x, y, z, dx, dy] : ends) {
        ++count.ends;
        count.met += all.count({x + dx, y + dy, z, -dx, -dy}) > 0;
    }
    return count;
}

} // namespace real_track_kinds
