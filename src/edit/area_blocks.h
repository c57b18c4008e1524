#pragma once

#include <cstdint>
#include <optional>

#include "edit/area.h"
#include "track/track.h"

struct EditorContext;

// How many grid cells the block covers: its kind's units, or one unit at its own cell for a block
// whose kind the current catalogue lacks.
int footprintUnitCount(const EditorContext& ctx, const BlockRecord& record);
// The cell that unit unitIndex of the placed block covers, turned by its rotation (low two bits);
// none for a unit index outside the block's units.
std::optional<GridCell> footprintCell(const EditorContext& ctx, const BlockRecord& record,
                                      int unitIndex);
// Whether some unit of the block lies in the area.
bool blockInArea(const EditorContext& ctx, const BlockRecord& record);

// Blocks with at least one unit in the area, each counted once, hidden ones included.
int countBlocksInArea(const EditorContext& ctx);
// The selection becomes the blocks in the area, in track order.
void selectBlocksInArea(EditorContext& ctx);
// Hides the blocks in the area, which stay selected.
void hideBlocksInArea(EditorContext& ctx);
void deleteBlocksInArea(EditorContext& ctx);
// Appends one block of the kind at every cell of the area, in cell order, with rotation 0 and
// variants 0; each gets its model. Nothing for 0 or for a kind the catalogue lacks. Returns the
// number of blocks added.
int fillArea(EditorContext& ctx, std::uint32_t catalogIndex);

// A left click in the view while area editing is on: toggles the cursor cell, or with F held
// the box up to it, then updates the outline and the counts and draws a frame. Ignored while the
// pointer is off the cursor plane.
void areaClick(EditorContext& ctx);
