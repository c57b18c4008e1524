#include "edit/edit_step.h"

#include <algorithm>

#include "edit/block_list_index.h"
#include "edit/editor_context.h"
#include "edit/seam_calls.h"
#include "edit/selection_ops.h"

namespace {

// Set on a record while the open step holds its state, so that each record is held once.
constexpr std::uint32_t BLOCK_IN_STEP = 8;

BlockState stateOf(const BlockRecord& record) {
    return BlockState{record.modelList,
                      record.x,
                      record.y,
                      record.z,
                      record.rotation,
                      record.variant,
                      (record.flags & BLOCK_HIDDEN) != 0};
}

void swapState(EditStepRecord::Changed& changed) {
    BlockRecord& record = *changed.record;
    const BlockState now = stateOf(record);
    const BlockState& other = changed.other;
    record.modelList = other.modelList;
    record.x = other.x;
    record.y = other.y;
    record.z = other.z;
    record.rotation = other.rotation;
    record.variant = other.variant;
    record.flags = other.hidden ? record.flags | BLOCK_HIDDEN : record.flags & ~BLOCK_HIDDEN;
    changed.other = now;
}

// Puts held nodes back into the list at their indexes, taken in ascending order.
void insertAtIndexes(std::list<BlockRecord>& blocks, std::list<BlockRecord>& held,
                     const std::vector<EditStepRecord::Node>& nodes) {
    auto at = blocks.begin();
    std::size_t position = 0;
    for (const EditStepRecord::Node& node : nodes) {
        while (position < node.index && at != blocks.end()) {
            ++at;
            ++position;
        }
        blocks.splice(at, held, node.node);
        ++position;
    }
}

void takeOut(std::list<BlockRecord>& blocks, std::list<BlockRecord>& held,
             const std::vector<EditStepRecord::Node>& nodes) {
    for (const EditStepRecord::Node& node : nodes)
        held.splice(held.end(), blocks, node.node);
}

std::vector<BlockRecord*> selectionVector(const Selection& selection) {
    return {selection.members.begin(), selection.members.end()};
}

void releaseSelection(EditorContext& ctx) {
    for (BlockRecord* record : ctx.selection.members)
        record->flags &= ~BLOCK_SELECTED;
    ctx.selection.members.clear();
}

void takeSelection(EditorContext& ctx, const std::vector<BlockRecord*>& members) {
    releaseSelection(ctx);
    for (BlockRecord* record : members) {
        record->flags |= BLOCK_SELECTED;
        ctx.selection.members.push_back(record);
    }
}

std::size_t recordBytes(const BlockRecord& record) {
    // A list node: the record and two links.
    return sizeof(BlockRecord) + 2 * sizeof(void*) + record.keptName.capacity() +
           record.skin.author.capacity();
}

std::size_t stepBytes(const EditStepRecord& step) {
    std::size_t bytes =
        sizeof(EditStepRecord) + step.name.capacity() +
        step.changed.capacity() * sizeof(EditStepRecord::Changed) +
        (step.removed.capacity() + step.added.capacity()) * sizeof(EditStepRecord::Node) +
        (step.selectionBefore.capacity() + step.selectionAfter.capacity()) * sizeof(BlockRecord*);
    for (const EditStepRecord::Node& node : step.removed)
        bytes += recordBytes(*node.node);
    for (const EditStepRecord::Node& node : step.added)
        bytes += recordBytes(*node.node);
    return bytes;
}

// The block list marks the selection again without being refilled.
void remarkLines(EditorContext& ctx) {
    unmarkAllLines(ctx);
    for (const BlockRecord* record : ctx.selection.members)
        markLine(ctx, blockListIndex(ctx, record), true);
}

void announce(EditorContext& ctx, const TrackChange& change) {
    ctx.viewChanged = true;
    if (change.linesChanged)
        refreshBlockList(ctx);
    else if (change.selectionChanged)
        remarkLines(ctx);
    // A panel already blank for several blocks stays as it is.
    if (change.selectionChanged || ctx.selection.count() == 1)
        showSingleSelected(ctx);
    showAreaCounts(ctx);
    const std::size_t dropped = ctx.history.takeDroppedCount();
    if (dropped > 0)
        showStatus(ctx, "Undo history full: the oldest " + std::to_string(dropped) +
                            (dropped == 1 ? " step was" : " steps were") + " dropped.");
    ctx.history.notify(change);
}

TrackChange changeOf(const EditStepRecord& step, TrackChange::Cause cause) {
    TrackChange change;
    change.cause = cause;
    change.added = static_cast<int>(step.added.size());
    change.removed = static_cast<int>(step.removed.size());
    change.changed = static_cast<int>(step.changed.size());
    change.linesChanged = step.linesChanged;
    // Undo and redo put back a selection that the user may have changed since.
    change.selectionChanged = cause != TrackChange::Cause::Edit || !step.selectionKept;
    if (cause == TrackChange::Cause::Undo)
        std::swap(change.added, change.removed);
    return change;
}

} // namespace

std::string blockCountText(int count) {
    return std::to_string(count) + (count == 1 ? " block" : " blocks");
}

EditStep::EditStep(EditorContext& ctx, std::string verb)
    : ctx_(ctx), verb_(std::move(verb)), step_(std::make_unique<EditStepRecord>()) {
    step_->selectionBefore = selectionVector(ctx.selection);
}

EditStep::~EditStep() {
    commit();
}

void EditStep::change(BlockRecord& record) {
    if (committed_ || (record.flags & BLOCK_IN_STEP))
        return;
    record.flags |= BLOCK_IN_STEP;
    step_->changed.push_back({&record, stateOf(record)});
}

BlockRecord* EditStep::append(BlockRecord record) {
    if (committed_)
        return nullptr;
    record.flags &= ~(BLOCK_SELECTED | BLOCK_IN_STEP);
    std::list<BlockRecord>& blocks = ctx_.currentTrack.blocks;
    const std::size_t index = blocks.size();
    blocks.push_back(std::move(record));
    auto node = std::prev(blocks.end());
    noteAppendedBlock(ctx_, node);
    step_->added.push_back({index, node});
    return &*node;
}

void EditStep::remove(std::list<BlockRecord>::iterator node, std::size_t index) {
    if (committed_)
        return;
    node->flags &= ~BLOCK_SELECTED;
    step_->held.splice(step_->held.end(), ctx_.currentTrack.blocks, node);
    step_->removed.push_back({index, node});
}

void EditStep::commit() {
    if (committed_)
        return;
    committed_ = true;
    EditStepRecord& step = *step_;

    // A removed record leaves the selection with its node.
    std::list<BlockRecord*>& members = ctx_.selection.members;
    if (!step.removed.empty()) {
        members.remove_if([](const BlockRecord* r) { return !(r->flags & BLOCK_SELECTED); });
        invalidateBlockListIndex(ctx_);
    }

    bool hiddenChanged = false;
    std::erase_if(step.changed, [&](EditStepRecord::Changed& changed) {
        changed.record->flags &= ~BLOCK_IN_STEP;
        const BlockState now = stateOf(*changed.record);
        hiddenChanged = hiddenChanged || now.hidden != changed.other.hidden;
        return now == changed.other;
    });
    std::sort(step.removed.begin(), step.removed.end(),
              [](const auto& a, const auto& b) { return a.index < b.index; });

    const std::vector<BlockRecord*> after = selectionVector(ctx_.selection);
    step.selectionKept = after == step.selectionBefore;
    if (!step.selectionKept)
        step.selectionAfter = after;
    step.linesChanged = hiddenChanged || !step.added.empty() || !step.removed.empty();

    const bool changedTrack = !step.changed.empty() || !step.added.empty() || !step.removed.empty();
    if (!changedTrack) {
        // Nothing to undo, but the edit may have changed the selection (an empty area's delete).
        if (!step.selectionKept) {
            TrackChange change;
            change.selectionChanged = true;
            announce(ctx_, change);
        }
        return;
    }
    const int affected =
        static_cast<int>(step.changed.size() + step.added.size() + step.removed.size());
    step.name = verb_ + " " + blockCountText(affected);
    step.changed.shrink_to_fit();
    step.bytes = stepBytes(step);
    const TrackChange change = changeOf(step, TrackChange::Cause::Edit);
    ctx_.history.push(std::move(step_));
    announce(ctx_, change);
}

bool undoStep(EditorContext& ctx) {
    EditStepRecord* step = ctx.history.stepToUndo();
    if (!step)
        return false;
    std::list<BlockRecord>& blocks = ctx.currentTrack.blocks;
    releaseSelection(ctx);
    takeOut(blocks, step->held, step->added);
    insertAtIndexes(blocks, step->held, step->removed);
    for (auto changed = step->changed.rbegin(); changed != step->changed.rend(); ++changed)
        swapState(*changed);
    takeSelection(ctx, step->selectionBefore);
    invalidateBlockListIndex(ctx);
    announce(ctx, changeOf(*step, TrackChange::Cause::Undo));
    return true;
}

bool redoStep(EditorContext& ctx) {
    EditStepRecord* step = ctx.history.stepToRedo();
    if (!step)
        return false;
    std::list<BlockRecord>& blocks = ctx.currentTrack.blocks;
    releaseSelection(ctx);
    for (EditStepRecord::Changed& changed : step->changed)
        swapState(changed);
    takeOut(blocks, step->held, step->removed);
    insertAtIndexes(blocks, step->held, step->added);
    takeSelection(ctx, step->selectionKept ? step->selectionBefore : step->selectionAfter);
    invalidateBlockListIndex(ctx);
    announce(ctx, changeOf(*step, TrackChange::Cause::Redo));
    return true;
}

void startNewHistory(EditorContext& ctx, bool matchesFile) {
    ctx.history.clear();
    if (!matchesFile)
        ctx.history.markUnsaved();
    TrackChange change;
    change.cause = TrackChange::Cause::NewHistory;
    ctx.history.notify(change);
}

void noteTrackSaved(EditorContext& ctx) {
    ctx.history.markSaved();
    TrackChange change;
    change.cause = TrackChange::Cause::Saved;
    ctx.history.notify(change);
}
