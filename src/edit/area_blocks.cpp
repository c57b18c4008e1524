#include "edit/area_blocks.h"

#include "catalog/footprint_rotation.h"
#include "edit/area_cells.h"
#include "edit/block_edits.h"
#include "edit/block_list_index.h"
#include "edit/edit_step.h"
#include "edit/seam_calls.h"
#include "edit/selection_ops.h"
#include "seams/model_resolver.h"

namespace {

// The selection becomes the blocks in the area, without telling the list or the panel.
void gatherBlocksInArea(EditorContext& ctx) {
    for (BlockRecord* record : ctx.selection.members)
        record->flags &= ~BLOCK_SELECTED;
    ctx.selection.members.clear();
    if (ctx.area.cells.empty())
        return;
    for (BlockRecord& record : ctx.currentTrack.blocks) {
        if (blockInArea(ctx, record)) {
            record.flags |= BLOCK_SELECTED;
            ctx.selection.members.push_back(&record);
        }
    }
}

} // namespace

int footprintUnitCount(const EditorContext& ctx, const BlockRecord& record) {
    const CatalogEntry* entry = catalogEntry(ctx.catalog, record.catalogIndex);
    return entry ? entry->unitCount() : 1;
}

std::optional<GridCell> footprintCell(const EditorContext& ctx, const BlockRecord& record,
                                      int unitIndex) {
    const CatalogEntry* entry = catalogEntry(ctx.catalog, record.catalogIndex);
    int units = entry ? entry->unitCount() : 1;
    if (unitIndex < 0 || unitIndex >= units)
        return std::nullopt;
    int ux = 0, uy = 0, uz = 0, spanX = 0, spanY = 0;
    if (entry) {
        const BlockUnit& unit = entry->units[unitIndex];
        ux = unit.x;
        uy = unit.y;
        uz = unit.z;
        spanX = static_cast<int>(2.0f * entry->halfSizeX);
        spanY = static_cast<int>(2.0f * entry->halfSizeY);
    }
    const UnitOffset offset = rotatedUnitOffset(ux, uy, spanX, spanY, record.rotation);
    return GridCell{wrap8(record.x + offset.x), wrap8(record.y + offset.y), wrap8(record.z + uz)};
}

bool blockInArea(const EditorContext& ctx, const BlockRecord& record) {
    int units = footprintUnitCount(ctx, record);
    for (int i = 0; i < units; ++i) {
        std::optional<GridCell> cell = footprintCell(ctx, record, i);
        if (cell && areaContains(ctx, cell->x, cell->y, cell->z))
            return true;
    }
    return false;
}

int countBlocksInArea(const EditorContext& ctx) {
    if (ctx.area.cells.empty())
        return 0;
    int count = 0;
    for (const BlockRecord& record : ctx.currentTrack.blocks)
        if (blockInArea(ctx, record))
            ++count;
    return count;
}

void selectBlocksInArea(EditorContext& ctx) {
    gatherBlocksInArea(ctx);
    unmarkAllLines(ctx);
    if (ctx.panels) {
        int position = 0;
        for (const BlockRecord& record : ctx.currentTrack.blocks) {
            if (record.flags & BLOCK_SELECTED)
                ctx.panels->markBlockLine(position, true);
            ++position;
        }
    }
    showSingleSelected(ctx);
}

void hideBlocksInArea(EditorContext& ctx) {
    // The step begins before the selection changes, so that undo gives back the one before.
    EditStep step(ctx, "Hide");
    selectBlocksInArea(ctx);
    for (BlockRecord* record : ctx.selection.members) {
        step.change(*record);
        record->flags |= BLOCK_HIDDEN;
    }
}

void deleteBlocksInArea(EditorContext& ctx) {
    EditStep step(ctx, "Delete");
    // The list is refilled by the delete, so the lines are not marked on the way.
    gatherBlocksInArea(ctx);
    removeSelected(ctx, step);
}

int fillArea(EditorContext& ctx, std::uint32_t catalogIndex) {
    if (catalogIndex == 0 || !catalogEntry(ctx.catalog, catalogIndex))
        return 0;
    const std::size_t kinds = ctx.catalog.catalogs[ctx.catalog.currentEnvironment].entries.size();
    EditStep step(ctx, "Fill area with");
    int added = 0;
    for (const AreaCell& cell : ctx.area.cells) {
        std::optional<BlockRecord> record =
            makeRecord(catalogIndex, 0, cell.cell.x, cell.cell.y, cell.cell.z, {0, 0, 0, 0}, kinds);
        if (!record)
            break;
        BlockRecord* placed = step.append(std::move(*record));
        if (ctx.modelResolver)
            ctx.modelResolver->resolveBlockModel(*placed);
        ++added;
    }
    return added;
}

void areaClick(EditorContext& ctx) {
    AreaCursor cursor = ctx.areaCursor;
    if (!onGrid(cursor.x) || !onGrid(cursor.y) || !onGrid(ctx.cursorLevel))
        return;
    if (ctx.fKeyDown)
        toggleAreaBox(ctx, cursor.x, cursor.y, ctx.cursorLevel);
    else
        toggleAreaCell(ctx, cursor.x, cursor.y, ctx.cursorLevel);
    updateAreaOutline(ctx);
    showAreaCounts(ctx);
    displayFrame(ctx);
}
