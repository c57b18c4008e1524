#pragma once

#include <optional>
#include <vector>

#include "assets/display_lists.h"
#include "catalog/catalog.h"
#include "edit/selection.h"
#include "view/block_table.h"
#include "view/block_tints.h"
#include "view/pick_table.h"
#include "view/view_pyramid.h"
#include "view/view_state.h"

// What the block pass draws from: the renderer's table of blocks, the catalogue for their
// footprints and the display lists of their models; the level above which nothing is drawn or
// picked, and the tints some blocks are drawn in.
struct BlockScene {
    const BlockTable& table;
    const CatalogState& catalog;
    const DisplayLists& lists;
    std::optional<int> levelLimit;
    const BlockTints* tints = nullptr;
};

// Whether the block is shown at all: not hidden and not above the limit.
bool isShown(const BlockScene& scene, const BlockRecord& record);
// Whether the pass draws the block of this entry: shown and in view.
bool isDrawn(const BlockScene& scene, const BlockTable::Entry& entry);
// The colour a display render multiplies the block's textures by.
Rgb displayTint(const BlockScene& scene, const BlockRecord& record);

// How a display render draws the blocks whose model has a mesh (the others always by list).
enum class BlockDrawing {
    // Each block's display list at its anchor, turned by the matrix; picking renders always.
    Lists,
    // Each block's triangles placed in the world (chunk_geometry.h), block by block.
    Placed,
    // Left to the chunks (chunk_table.h), drawn before: only the gizmos are drawn here.
    Chunks,
};

// Draws every block that is in view and not hidden, at its anchor and turned by its rotation:
// textured and tinted in a display render, in a fresh flat picking colour of the pick table in a
// picking render, and the gizmos of the selection when the switches show them.
//
// A display render by lists with an eye draws its blocks nearest first (by bands of distance,
// grouped by model within a band), which saves texturing hidden pixels. A picking render given a
// ray still assigns colours to all blocks in list order but draws only the blocks whose box the
// ray meets.
void drawBlocks(const BlockScene& scene, PickTable& pickTable, const Selection& selection,
                const ViewSwitches& switches, bool display, BlockDrawing drawing,
                const std::optional<Vec3>& eye, const std::optional<PickRay>& ray);

// Draws again, over a kept display frame of the same scene, the given blocks that are in view,
// with their tint of now, the way that frame drew them (chunks: placed). Their fragments pass the
// depth test where they showed in that frame and nowhere else.
void redrawTints(const BlockScene& scene, const std::vector<const BlockRecord*>& records,
                 BlockDrawing drawing);
