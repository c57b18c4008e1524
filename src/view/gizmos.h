#pragma once

#include "edit/selection.h"
#include "view/handle_colours.h"

// Six handles from the current origin along the world axes, one cell or one level long, each
// ending in a point. The caller has translated to the block's anchor and not rotated.
void drawMoveGizmo();

// Two arcs with end points around the selection's extent at its mean height. Draws nothing for
// an empty selection, which has no extent.
void drawRotateGizmo(const Selection& selection);
