#include "road_ends.h"

#include <algorithm>

namespace {

int lowest(const BlockKind& kind) {
    int z = 31;
    for (const Unit& u : kind.units)
        z = std::min(z, u.z);
    return z;
}

int highest(const BlockKind& kind) {
    int z = 0;
    for (const Unit& u : kind.units)
        z = std::max(z, u.z);
    return z;
}

} // namespace

int headingOf(int dx, int dy) {
    for (int h = 0; h < 4; ++h)
        if (kHeadingStep[h][0] == dx && kHeadingStep[h][1] == dy)
            return h;
    return 0;
}

RoadOrientation roadOrientation(int environment) {
    // Counted over the shared real tracks (see the real track tests).
    static const RoadOrientation chosen[] = {
        {false, 1, false}, // Alpine
        {false, 1, false}, // Bay
        {false, 0, false}, // Coast
        {true, 1, false},  // Island
        {false, 1, true},  // Rally
        {false, 0, false}, // Speed
        {false, 0, false}, // Stadium
    };
    return chosen[environment];
}

int curveRadius(const BlockKind& kind) {
    return std::max(spanX(kind), spanY(kind)) + 1;
}

std::vector<RoadEnd> roadEnds(const BlockKind& kind, const RoadOrientation& orientation) {
    if (!isRoad(kind.family))
        return {};
    const int z = lowest(kind);
    if (kind.family == Family::Curve) {
        const int r = curveRadius(kind) - 1;
        switch (orientation.curveCorner) {
        case 0:
            return {{{0, 0, z}, -1, 0}, {{r, r, z}, 0, 1}};
        case 1:
            return {{{0, 0, z}, 0, -1}, {{r, r, z}, 1, 0}};
        case 2:
            return {{{r, 0, z}, 0, -1}, {{0, r, z}, -1, 0}};
        default:
            return {{{0, r, z}, 0, 1}, {{r, 0, z}, 1, 0}};
        }
    }
    const bool alongX = orientation.straightAlongX;
    if ((alongX ? spanY(kind) : spanX(kind)) != 0)
        return {};
    const int length = alongX ? spanX(kind) : spanY(kind);
    int zStart = z, zEnd = z;
    if (kind.family == Family::Slope) {
        const int top = highest(kind);
        (orientation.slopeClimbsToMinusY ? zStart : zEnd) = top;
    }
    if (alongX)
        return {{{0, 0, zStart}, -1, 0}, {{length, 0, zEnd}, 1, 0}};
    return {{{0, 0, zStart}, 0, -1}, {{0, length, zEnd}, 0, 1}};
}
