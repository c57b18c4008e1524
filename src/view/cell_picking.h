#pragma once

#include "edit/editor_context.h"
#include "seams/view_port.h"

// The colour of the picking background (clear colour 0.7, 0.7, 1.0); its blue of 255 is never a
// block's colour.
inline constexpr Rgb kPickBackground{178, 178, 255};

// The pixel under a pointer given in view pixels with y counted down from the top, read from the
// current read buffer. A pointer outside the viewport reads as the picking background.
Rgb readPickColour(int x, int y);

// One quad per cell of the grid on the bottom face of level, each in a fresh colour of the table
// standing for its cell code.
void drawCellPickPlane(PickTable& table, int level);

// Sets the area cursor to the cell under the pointer, or to (-1, -1) when no cell is there.
void pickCell(EditorContext& ctx, int x, int y);
