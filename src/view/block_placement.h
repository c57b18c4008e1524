#pragma once

#include "catalog/catalog.h"
#include "math/box3.h"
#include "math/vec3.h"
#include "track/track.h"

// The quarter turn a block is drawn with: only the low two bits of its rotation count.
inline int drawnRotation(const BlockRecord& record) {
    return record.rotation & 3;
}

// The world point where a block's model is placed and against which its visibility is tested:
// the middle of its footprint at the centre height of its level.
Vec3 blockAnchor(const BlockRecord& record, const CatalogState& catalog);

// The world box a block may cover: its footprint from the bottom of its level to the top of its
// highest unit, grown to hold its model's bounds (given before the turn, relative to the anchor;
// an empty box adds nothing).
Box3 blockBox(const BlockRecord& record, const CatalogState& catalog, const Box3& modelBounds);

// False only in the Stadium, for a block reaching outside the 32 x 32 grid or outside levels
// 1..31.
bool isWithinBounds(const BlockRecord& record, const CatalogState& catalog);
