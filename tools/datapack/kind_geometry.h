#pragma once

#include "block_kinds.h"
#include "environment_look.h"
#include "mesh_builder.h"

// The schematic model of a kind, drawn after its family and kept inside its footprint's units,
// around the block anchor.
MeshBuilder buildKindMesh(const BlockKind& kind);

// Half extents of a kind's units along x and y, as the catalogue derives them.
double halfSpanX(const std::vector<Unit>& units);
double halfSpanY(const std::vector<Unit>& units);
