#pragma once

#include <cstdint>

struct EditorContext;

// Coordinates are signed 8-bit grid values.
bool areaContains(const EditorContext& ctx, int x, int y, int z);
void removeAreaCell(EditorContext& ctx, int x, int y, int z);
// Removes the cell when it is in the area, otherwise appends it.
void toggleAreaCell(EditorContext& ctx, int x, int y, int z);
// Toggles every cell of the box between the most recently added cell and the given one; the
// most recently added cell stays in the area.
void toggleAreaBox(EditorContext& ctx, int x, int y, int z);
// Empties the area and refreshes the area counts.
void clearArea(EditorContext& ctx);
// Recomputes the open faces and outline edges of every cell.
void updateAreaOutline(EditorContext& ctx);
