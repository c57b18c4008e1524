#pragma once

#include <vector>

#include "catalog/catalog.h"
#include "edit/placing.h"
#include "view/frame_renderer.h"

// The group being placed: its blocks' models translucent, cut off at the edges of the grid, and
// the outline of its cells on the grid, with the cells other blocks cover already in a warning
// tint. Drawn under the camera transform, as an overlay of display renders.
void drawGhost(FrameRenderer& renderer, const CatalogState& catalog,
               const std::vector<BlockRecord>& ghost, const PlacingCells& cells);
