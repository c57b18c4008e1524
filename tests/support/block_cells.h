#pragma once

#include <array>
#include <set>

#include "edit/area_blocks.h"

// The cells a placed block covers, as the editor's footprints give them.
using BlockCells = std::set<std::array<int, 3>>;

inline BlockCells blockCells(const CatalogState& catalog, const BlockRecord& record) {
    BlockCells cells;
    for (int i = 0; i < footprintUnitCount(catalog, record); ++i)
        if (const std::optional<GridCell> c = footprintCell(catalog, record, i))
            cells.insert({c->x, c->y, c->z});
    return cells;
}
