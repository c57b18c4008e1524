#include "edit/area_blocks.h"

#include "catalog/footprint_rotation.h"
#include "edit/area_cells.h"
#include "edit/edit_step.h"

namespace {

std::vector<const BlockRecord*> blocksInArea(const TrackDocument& document,
                                             const CatalogState& catalog, const Area& area) {
    std::vector<const BlockRecord*> found;
    if (area.cells.empty())
        return found;
    for (const BlockRecord& record : document.blocks())
        if (blockInArea(catalog, area, record))
            found.push_back(&record);
    return found;
}

} // namespace

int footprintUnitCount(const CatalogState& catalog, const BlockRecord& record) {
    const CatalogEntry* entry = catalogEntry(catalog, record.catalogIndex);
    return entry ? entry->unitCount() : 1;
}

std::optional<GridCell> footprintCell(const CatalogState& catalog, const BlockRecord& record,
                                      int unitIndex) {
    const CatalogEntry* entry = catalogEntry(catalog, record.catalogIndex);
    int units = entry ? entry->unitCount() : 1;
    if (unitIndex < 0 || unitIndex >= units)
        return std::nullopt;
    if (!entry)
        return GridCell{record.x, record.y, record.z};
    const BlockUnit& unit = entry->units[unitIndex];
    return placedUnitCell(*entry, record, unit.x, unit.y, unit.z);
}

GridCell placedUnitCell(const CatalogEntry& entry, const BlockRecord& record, int ux, int uy,
                        int uz) {
    const int spanX = static_cast<int>(2.0f * entry.halfSizeX);
    const int spanY = static_cast<int>(2.0f * entry.halfSizeY);
    const UnitOffset offset = rotatedUnitOffset(ux, uy, spanX, spanY, record.rotation);
    return GridCell{wrap8(record.x + offset.x), wrap8(record.y + offset.y), wrap8(record.z + uz)};
}

bool blockInArea(const CatalogState& catalog, const Area& area, const BlockRecord& record) {
    int units = footprintUnitCount(catalog, record);
    for (int i = 0; i < units; ++i) {
        std::optional<GridCell> cell = footprintCell(catalog, record, i);
        if (cell && areaContains(area, cell->x, cell->y, cell->z))
            return true;
    }
    return false;
}

int countBlocksInArea(const TrackDocument& document, const CatalogState& catalog,
                      const Area& area) {
    return static_cast<int>(blocksInArea(document, catalog, area).size());
}

void selectBlocksInArea(TrackDocument& document, const CatalogState& catalog, const Area& area) {
    document.setSelection(blocksInArea(document, catalog, area));
}

void hideBlocksInArea(TrackDocument& document, const CatalogState& catalog, const Area& area) {
    // The step begins before the selection changes, so that undo gives back the one before.
    EditStep step(document, "Hide");
    selectBlocksInArea(document, catalog, area);
    for (const BlockRecord* member : document.selection().members())
        step.change(*member).flags |= BLOCK_HIDDEN;
}

void deleteBlocksInArea(TrackDocument& document, const CatalogState& catalog, const Area& area) {
    EditStep step(document, "Delete");
    selectBlocksInArea(document, catalog, area);
    step.removeSelected();
}

int fillArea(TrackDocument& document, const CatalogState& catalog, const Area& area,
             std::uint32_t catalogIndex) {
    if (catalogIndex == 0 || !catalogEntry(catalog, catalogIndex))
        return 0;
    const std::size_t kinds = catalog.catalogs[catalog.currentEnvironment].entries.size();
    EditStep step(document, "Fill area with");
    int added = 0;
    for (const AreaCell& cell : area.cells) {
        std::optional<BlockRecord> record =
            makeRecord(catalogIndex, 0, cell.cell.x, cell.cell.y, cell.cell.z, {0, 0, 0, 0}, kinds);
        if (!record)
            break;
        step.append(std::move(*record));
        ++added;
    }
    return added;
}
