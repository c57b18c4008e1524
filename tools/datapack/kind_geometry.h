#pragma once

#include "block_kinds.h"
#include "environment_look.h"
#include "mesh_builder.h"

// The model of a kind in an environment, with the surfaces that the first variant byte selects.
// Its geometry covers exactly the kind's footprint cells, around the block anchor.
MeshBuilder buildKindMesh(const BlockKind& kind, int variant);

// Half extents of a kind's units along x and y, as the catalogue derives them.
double halfSpanX(const std::vector<Unit>& units);
double halfSpanY(const std::vector<Unit>& units);
