#pragma once

#include "assets/display_lists.h"
#include "edit/editor_context.h"

// Draws every block that is in view and not hidden, at its anchor and turned by its rotation:
// textured and tinted in a display render, in a fresh flat picking colour of the pick table in a
// picking render. Recomputes which blocks are in view when the view changed, and draws the
// gizmos of the selection when they are shown.
void drawBlocks(EditorContext& ctx, const DisplayLists& lists, bool display);
