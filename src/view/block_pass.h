#pragma once

#include <optional>

#include "assets/display_lists.h"
#include "edit/editor_context.h"
#include "view/view_pyramid.h"

// Sets each block's in-view flag from its box (footprint and model) and the camera.
void updateBlocksInView(EditorContext& ctx, const DisplayLists& lists);

// Draws every block that is in view and not hidden, at its anchor and turned by its rotation:
// textured and tinted in a display render, in a fresh flat picking colour of the pick table in a
// picking render, and the gizmos of the selection when they are shown.
//
// frontToBack draws a display render's blocks nearest first (by bands of distance, grouped by
// model within a band), which saves texturing hidden pixels. A picking render given a ray still
// assigns colours to all blocks in list order but draws only the blocks whose box the ray meets.
void drawBlocks(EditorContext& ctx, const DisplayLists& lists, bool display, bool frontToBack,
                const std::optional<PickRay>& ray);
