#pragma once

#include <cstdint>
#include <optional>

#include "catalog/catalog.h"
#include "edit/area.h"
#include "edit/track_document.h"

// How many grid cells the block covers: its kind's units, or one unit at its own cell for a block
// whose kind the current catalogue lacks.
int footprintUnitCount(const CatalogState& catalog, const BlockRecord& record);
// The cell that unit unitIndex of the placed block covers, turned by its rotation (low two bits);
// none for a unit index outside the block's units.
std::optional<GridCell> footprintCell(const CatalogState& catalog, const BlockRecord& record,
                                      int unitIndex);
// The cell of the placed block that holds the kind's unit (ux, uy, uz) at rotation 0, turned by
// the block's rotation (low two bits).
GridCell placedUnitCell(const CatalogEntry& entry, const BlockRecord& record, int ux, int uy,
                        int uz);
// Whether some unit of the block lies in the area.
bool blockInArea(const CatalogState& catalog, const Area& area, const BlockRecord& record);

// Blocks with at least one unit in the area, each counted once, hidden ones included.
int countBlocksInArea(const TrackDocument& document, const CatalogState& catalog, const Area& area);
// The selection becomes the blocks in the area, in track order.
void selectBlocksInArea(TrackDocument& document, const CatalogState& catalog, const Area& area);
// Hides the blocks in the area, which become the selection, as one step.
void hideBlocksInArea(TrackDocument& document, const CatalogState& catalog, const Area& area);
void deleteBlocksInArea(TrackDocument& document, const CatalogState& catalog, const Area& area);
// Appends one block of the kind at every cell of the area, in cell order, with rotation 0 and
// variants 0. Nothing for 0 or for a kind the catalogue lacks. Returns the number of blocks
// added.
int fillArea(TrackDocument& document, const CatalogState& catalog, const Area& area,
             std::uint32_t catalogIndex);
