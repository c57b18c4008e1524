#pragma once

#include "edit/area.h"

// The area's outline: translucent green faces where a cell borders the outside, bright green
// edges where two such faces meet. Leaves the colour at the edge green.
void drawAreaOverlay(const Area& area);

// A translucent box of one cell at (x, y) on level, with bright green outlines. Leaves the
// polygon mode filled.
void drawAreaCursor(int x, int y, int level);
