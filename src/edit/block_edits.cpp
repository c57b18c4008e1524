#include "edit/block_edits.h"

#include <algorithm>
#include <cmath>

#include "edit/block_list_index.h"
#include "edit/seam_calls.h"
#include "edit/selection_ops.h"

namespace {

std::int8_t wrap8(int value) {
    return static_cast<std::int8_t>(static_cast<std::uint8_t>(value));
}

std::uint8_t turned(std::uint8_t rotation, int steps) {
    return static_cast<std::uint8_t>(rotation + steps) & 3;
}

// Blocks created or moved by an edit take part in the next visibility pass.
void blocksChanged(EditorContext& ctx) {
    ctx.viewChanged = true;
    showAreaCounts(ctx);
}

} // namespace

BlockRecord* appendBlock(EditorContext& ctx, std::optional<BlockRecord> record) {
    if (!record)
        return nullptr;
    std::list<BlockRecord>& blocks = ctx.currentTrack.blocks;
    blocks.push_back(std::move(*record));
    noteAppendedBlock(ctx, std::prev(blocks.end()));
    refreshBlockList(ctx);
    blocksChanged(ctx);
    return &blocks.back();
}

std::optional<BlockRecord> removeBlock(EditorContext& ctx, BlockRecord* record) {
    if (!record)
        return std::nullopt;
    record->flags &= ~BLOCK_SELECTED;
    std::optional<BlockRecord> removed;
    if (const BlockListIndex::Place* place = findBlockPlace(ctx, record)) {
        auto node = place->node;
        removed = std::move(*node);
        ctx.currentTrack.blocks.erase(node);
        invalidateBlockListIndex(ctx);
        showAreaCounts(ctx);
    }
    refreshBlockList(ctx);
    return removed;
}

void moveSelection(EditorContext& ctx, int dx, int dy, int dz) {
    if (ctx.selection.members.empty())
        return;
    for (BlockRecord* record : ctx.selection.members) {
        record->x = wrap8(record->x + dx);
        record->y = wrap8(record->y + dy);
        record->z = wrap8(record->z + dz);
    }
    blocksChanged(ctx);
}

void rotateSelection(EditorContext& ctx, int steps) {
    if (ctx.selection.members.empty())
        return;
    for (BlockRecord* record : ctx.selection.members)
        record->rotation = turned(record->rotation, steps);
    showAreaCounts(ctx);
}

void rotateSelectionGroup(EditorContext& ctx, int sense) {
    if (ctx.selection.members.empty())
        return;
    int minX = 32, minY = 32, maxX = 0, maxY = 0;
    for (BlockRecord* record : ctx.selection.members) {
        record->rotation = turned(record->rotation, sense);
        minX = std::min<int>(minX, record->x);
        maxX = std::max<int>(maxX, record->x);
        minY = std::min<int>(minY, record->y);
        maxY = std::max<int>(maxY, record->y);
    }
    double cx = (maxX + minX) / 2.0;
    double cy = (maxY + minY) / 2.0;
    for (BlockRecord* record : ctx.selection.members) {
        double dx = record->x - cx;
        double dy = record->y - cy;
        // Truncation toward zero, then the low 8 bits.
        int newY = static_cast<int>(cy + sense * dx);
        int newX = static_cast<int>(cx - sense * dy);
        record->x = wrap8(newX);
        record->y = wrap8(newY);
    }
    blocksChanged(ctx);
}

void hideSelection(EditorContext& ctx) {
    for (BlockRecord* record : ctx.selection.members)
        record->flags |= BLOCK_HIDDEN;
    refreshBlockList(ctx);
}

void unhideAll(EditorContext& ctx) {
    for (BlockRecord& record : ctx.currentTrack.blocks)
        record.flags &= ~BLOCK_HIDDEN;
    refreshBlockList(ctx);
}

void deleteSelection(EditorContext& ctx) {
    bool any = !ctx.selection.members.empty();
    if (any) {
        // One sweep over the track instead of a search per member: the selected bit marks
        // exactly the members.
        ctx.currentTrack.blocks.remove_if(
            [](const BlockRecord& record) { return (record.flags & BLOCK_SELECTED) != 0; });
        invalidateBlockListIndex(ctx);
    }
    ctx.selection.members.clear();
    unmarkAllLines(ctx);
    showProperties(ctx, nullptr);
    if (any) {
        refreshBlockList(ctx);
        showAreaCounts(ctx);
    }
}
