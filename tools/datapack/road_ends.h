#pragma once

#include <vector>

#include "block_kinds.h"
#include "catalog/footprint_rotation.h"

// The heading of a step on the ground plane (0 for one that is none of the four).
int headingOf(int dx, int dy);

// Where a road piece at rotation 0 joins the next: the unit an end leaves from and the direction
// it leaves in (dx, dy one step on the ground plane).
struct RoadEnd {
    Unit unit;
    int dx = 0;
    int dy = 0;
};

// The directions that names leave open: which axis straight pieces run along, which corner of
// its square a curve turns around, and whether a slope climbs towards +y or -y.
struct RoadOrientation {
    bool straightAlongX = false;
    int curveCorner = 0; // 0: (0, R), 1: (R, 0), 2: (0, 0), 3: (R, R)
    bool slopeClimbsToMinusY = false;
};

// The orientation that the generated models of an environment follow: the one under which the
// most road ends of its real tracks meet a neighbour's end.
RoadOrientation roadOrientation(int environment);

// The curve radius of a kind: the side of the square its units span.
int curveRadius(const BlockKind& kind);

// The open ends of a road kind under an orientation; none for a kind that is not road or whose
// ends a name cannot tell (pieces wider than one cell across their direction).
std::vector<RoadEnd> roadEnds(const BlockKind& kind, const RoadOrientation& orientation);
