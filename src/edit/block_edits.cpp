#include "edit/block_edits.h"

#include <algorithm>
#include <cmath>

#include "edit/area.h"
#include "edit/block_list_index.h"
#include "edit/edit_step.h"
#include "edit/seam_calls.h"
#include "edit/selection_ops.h"
#include "seams/model_resolver.h"

namespace {

std::uint8_t turned(std::uint8_t rotation, int steps) {
    return static_cast<std::uint8_t>(rotation + steps) & 3;
}

} // namespace

BlockRecord* appendBlock(EditorContext& ctx, std::optional<BlockRecord> record) {
    if (!record)
        return nullptr;
    EditStep step(ctx, "Add");
    return step.append(std::move(*record));
}

std::optional<BlockRecord> removeBlock(EditorContext& ctx, BlockRecord* record) {
    if (!record)
        return std::nullopt;
    record->flags &= ~BLOCK_SELECTED;
    const BlockListIndex::Place* place = findBlockPlace(ctx, record);
    if (!place) {
        refreshBlockList(ctx);
        return std::nullopt;
    }
    // The node itself stays with the step, so that undo can put it back.
    std::optional<BlockRecord> removed = *record;
    EditStep step(ctx, "Delete");
    step.remove(place->node, static_cast<std::size_t>(place->position));
    return removed;
}

void moveSelection(EditorContext& ctx, int dx, int dy, int dz) {
    if (ctx.selection.members.empty())
        return;
    EditStep step(ctx, "Move");
    for (BlockRecord* record : ctx.selection.members) {
        step.change(*record);
        record->x = wrap8(record->x + dx);
        record->y = wrap8(record->y + dy);
        record->z = wrap8(record->z + dz);
    }
}

void rotateSelection(EditorContext& ctx, int steps) {
    if (ctx.selection.members.empty())
        return;
    EditStep step(ctx, "Turn");
    for (BlockRecord* record : ctx.selection.members) {
        step.change(*record);
        record->rotation = turned(record->rotation, steps);
    }
}

void rotateSelectionGroup(EditorContext& ctx, int sense) {
    if (ctx.selection.members.empty())
        return;
    EditStep step(ctx, "Turn");
    int minX = 32, minY = 32, maxX = 0, maxY = 0;
    for (BlockRecord* record : ctx.selection.members) {
        step.change(*record);
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
}

void setVariantByte(EditorContext& ctx, BlockRecord& record, int byte, std::uint8_t value) {
    if (byte < 0 || byte > 3)
        return;
    EditStep step(ctx, "Change variant of");
    step.change(record);
    record.variant[static_cast<std::size_t>(byte)] = value;
    if (ctx.modelResolver)
        ctx.modelResolver->resolveBlockModel(record);
}

void hideSelection(EditorContext& ctx) {
    EditStep step(ctx, "Hide");
    for (BlockRecord* record : ctx.selection.members) {
        step.change(*record);
        record->flags |= BLOCK_HIDDEN;
    }
}

void unhideAll(EditorContext& ctx) {
    EditStep step(ctx, "Unhide");
    for (BlockRecord& record : ctx.currentTrack.blocks) {
        if (!(record.flags & BLOCK_HIDDEN))
            continue;
        step.change(record);
        record.flags &= ~BLOCK_HIDDEN;
    }
}

void deleteSelection(EditorContext& ctx) {
    if (ctx.selection.members.empty()) {
        unmarkAllLines(ctx);
        showProperties(ctx, nullptr);
        return;
    }
    EditStep step(ctx, "Delete");
    removeSelected(ctx, step);
}

void removeSelected(EditorContext& ctx, EditStep& step) {
    // One sweep over the track instead of a search per member: the selected bit marks exactly
    // the members.
    std::list<BlockRecord>& blocks = ctx.currentTrack.blocks;
    std::size_t index = 0;
    for (auto node = blocks.begin(); node != blocks.end(); ++index) {
        auto next = std::next(node);
        if (node->flags & BLOCK_SELECTED)
            step.remove(node, index);
        node = next;
    }
}
