#pragma once

#include <vector>

#include "block_kinds.h"

// The mirror image of a kind: X-flipped (every cell's x reflected, y and z kept), a block of the
// kind at rotation r becomes a block of the partner at rotation (turn - r) mod 4, covering the
// flipped cells exactly. Partners pair both ways with the same turn.
struct MirrorImage {
    // Catalogue index: the kind's own for a kind that is its own mirror image, 0 when unknown.
    int partner = 0;
    int turn = 0; // 0 when unknown
};

// The mirror images of an environment's kinds, by catalogue index - 1: what the names say, checked
// against the footprints and road ends. A kind whose named image does not fit them is unknown.
std::vector<MirrorImage> mirrorImages(const std::vector<BlockKind>& kinds);
