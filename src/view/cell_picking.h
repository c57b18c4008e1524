#pragma once

#include "edit/area.h"
#include "seams/view_port.h"
#include "view/pick_table.h"

// The colour of the picking background (clear colour 0.7, 0.7, 1.0); its blue of 255 is never a
// block's colour.
inline constexpr Rgb kPickBackground{178, 178, 255};

// The pixel under a pointer given in view pixels with y counted down from the top, read from the
// current read buffer. A pointer outside the viewport reads as the picking background.
Rgb readPickColour(int x, int y);

// One quad per cell of the grid on the bottom face of level, each in a fresh colour of the table
// standing for its cell code.
void drawCellPickPlane(PickTable& table, int level);

// The cell under the pointer, or (-1, -1) when no cell is there.
AreaCursor pickCell(const PickTable& table, int x, int y);
