#include "edit/selection_ops.h"

#include <algorithm>

#include "edit/block_list_index.h"
#include "edit/seam_calls.h"

void selectBlock(EditorContext& ctx, BlockRecord* record, bool toggle) {
    if (!record)
        return;
    const BlockListIndex::Place* place = findBlockPlace(ctx, record);
    if (!place)
        return;
    if (record->flags & BLOCK_SELECTED) {
        if (toggle)
            deselectBlock(ctx, record);
        return;
    }
    ctx.selection.members.push_back(record);
    markLine(ctx, place->position, true);
    showProperties(ctx, ctx.selection.count() == 1 ? record : nullptr);
    record->flags |= BLOCK_SELECTED;
}

void deselectBlock(EditorContext& ctx, BlockRecord* record) {
    if (!record)
        return;
    std::list<BlockRecord*>& members = ctx.selection.members;
    auto node = std::find(members.begin(), members.end(), record);
    if (node != members.end())
        members.erase(node);
    record->flags &= ~BLOCK_SELECTED;
    markLine(ctx, blockListIndex(ctx, record), false);
    showSingleSelected(ctx);
}

void clearSelection(EditorContext& ctx) {
    for (BlockRecord* record : ctx.selection.members)
        record->flags &= ~BLOCK_SELECTED;
    ctx.selection.members.clear();
    unmarkAllLines(ctx);
    // A panel left showing a block that is no longer selected invites edits that do nothing.
    showProperties(ctx, nullptr);
}

void invertSelection(EditorContext& ctx) {
    std::list<BlockRecord>& blocks = ctx.currentTrack.blocks;
    if (blocks.empty())
        return;
    std::list<BlockRecord*> inverted;
    for (BlockRecord& record : blocks) {
        if (record.flags & BLOCK_SELECTED) {
            record.flags &= ~BLOCK_SELECTED;
        } else {
            record.flags |= BLOCK_SELECTED;
            inverted.push_back(&record);
        }
    }
    ctx.selection.members = std::move(inverted);
    unmarkAllLines(ctx);
    if (ctx.panels) {
        int position = 0;
        for (const BlockRecord& record : blocks) {
            if (record.flags & BLOCK_SELECTED)
                ctx.panels->markBlockLine(position, true);
            ++position;
        }
    }
    showSingleSelected(ctx);
}

void refreshBlockList(EditorContext& ctx) {
    if (!ctx.panels)
        return;
    ctx.panels->refillBlockList();
    for (const BlockRecord* record : ctx.selection.members)
        markLine(ctx, blockListIndex(ctx, record), true);
}

void prepareTrackReplace(EditorContext& ctx) {
    clearSelection(ctx);
    ctx.pickTable.resetPickTable(0);
    invalidateBlockListIndex(ctx);
}

void finishTrackReplace(EditorContext& ctx) {
    invalidateBlockListIndex(ctx);
    refreshBlockList(ctx);
    showAreaCounts(ctx);
}
