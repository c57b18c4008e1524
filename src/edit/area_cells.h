#pragma once

#include <cstdint>

#include "edit/area.h"

// Coordinates are signed 8-bit grid values.
bool areaContains(const Area& area, int x, int y, int z);
void removeAreaCell(Area& area, int x, int y, int z);
// Removes the cell when it is in the area, otherwise appends it.
void toggleAreaCell(Area& area, int x, int y, int z);
// Toggles every cell of the box between the most recently added cell and the given one; the
// most recently added cell stays in the area.
void toggleAreaBox(Area& area, int x, int y, int z);
// Empties the area.
void clearArea(Area& area);
// Recomputes the open faces and outline edges of every cell.
void updateAreaOutline(Area& area);
