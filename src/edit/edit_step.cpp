#include "edit/edit_step.h"

#include <algorithm>
#include <unordered_map>

#include "edit/block_state.h"

namespace {

// Set on a record while the open step holds its state, so that each record is held once.
constexpr std::uint32_t BLOCK_IN_STEP = 8;

std::size_t recordBytes(const BlockRecord& record) {
    // A list node: the record and two links.
    return sizeof(BlockRecord) + 2 * sizeof(void*) + record.keptName.capacity() +
           record.skin.author.capacity();
}

std::size_t stepBytes(const EditStepRecord& step) {
    std::size_t bytes = sizeof(EditStepRecord) + step.name.capacity() +
                        step.collateKey.capacity() +
                        step.changed.capacity() * sizeof(EditStepRecord::Changed) +
                        (step.removed.capacity() + step.added.capacity()) *
                            sizeof(EditStepRecord::Node) +
                        (step.selectionBefore.capacity() + step.selectionAfter.capacity()) *
                            sizeof(const BlockRecord*);
    for (const EditStepRecord::Node& node : step.removed)
        bytes += recordBytes(*node.node);
    for (const EditStepRecord::Node& node : step.added)
        bytes += recordBytes(*node.node);
    return bytes;
}

} // namespace

std::string blockCountText(int count) {
    return std::to_string(count) + (count == 1 ? " block" : " blocks");
}

EditStep::EditStep(TrackDocument& document, std::string verb, std::string collateKey)
    : document_(document), verb_(std::move(verb)), step_(std::make_unique<EditStepRecord>()) {
    step_->selectionBefore = document.selectionNow();
    step_->collateKey = std::move(collateKey);
    // Nested steps are not a thing: the outer one reports.
    if (!document_.openStep_)
        document_.openStep_ = this;
}

EditStep::~EditStep() {
    commit();
}

BlockRecord& EditStep::change(const BlockRecord& record) {
    BlockRecord& writable = TrackDocument::writable(record);
    if (!committed_ && !(record.flags & BLOCK_IN_STEP)) {
        writable.flags |= BLOCK_IN_STEP;
        step_->changed.push_back({&writable, stateOf(record)});
    }
    return writable;
}

const BlockRecord* EditStep::append(BlockRecord record) {
    if (committed_)
        return nullptr;
    record.flags &= ~(BLOCK_SELECTED | BLOCK_IN_STEP);
    std::list<BlockRecord>& blocks = document_.track_.blocks;
    const std::size_t index = blocks.size();
    blocks.push_back(std::move(record));
    auto node = std::prev(blocks.end());
    // Keeping the index up would cost a hash insertion per record of a large paste or stack;
    // the next lookup builds it again once.
    document_.dropIndex();
    step_->added.push_back({index, node});
    return &*node;
}

void EditStep::takeOut(std::list<BlockRecord>::iterator node, std::size_t index) {
    node->flags &= ~BLOCK_SELECTED;
    step_->held.splice(step_->held.end(), document_.track_.blocks, node);
    step_->removed.push_back({index, node});
    removedAny_ = true;
}

void EditStep::remove(const BlockRecord& record) {
    if (committed_)
        return;
    // The index keeps the positions from before the step until the step ends.
    const TrackDocument::Place* place = document_.placeOf(&record);
    if (place)
        takeOut(place->node, static_cast<std::size_t>(place->position));
}

void EditStep::selectAppended() {
    if (committed_)
        return;
    document_.selection_.clear();
    for (const EditStepRecord::Node& node : step_->added)
        document_.selection_.add(*node.node);
}

void EditStep::removeSelected() {
    if (committed_)
        return;
    // One sweep over the track instead of a search per member: the selected bit marks exactly
    // the members.
    std::list<BlockRecord>& blocks = document_.track_.blocks;
    std::size_t index = 0;
    for (auto node = blocks.begin(); node != blocks.end(); ++index) {
        auto next = std::next(node);
        if (node->flags & BLOCK_SELECTED)
            takeOut(node, index);
        node = next;
    }
}

bool EditStep::collateInto(EditStepRecord& newest) {
    EditStepRecord& step = *step_;
    const std::vector<const BlockRecord*>& newestAfter =
        newest.selectionKept ? newest.selectionBefore : newest.selectionAfter;
    if (!step.added.empty() || !step.removed.empty() || !step.selectionKept ||
        step.selectionBefore != newestAfter)
        return false;
    // Each record keeps the state from before the gesture's first step.
    std::unordered_map<const BlockRecord*, std::size_t> known;
    for (std::size_t i = 0; i < newest.changed.size(); ++i)
        known.emplace(newest.changed[i].record, i);
    for (const EditStepRecord::Changed& changed : step.changed)
        if (!known.count(changed.record))
            newest.changed.push_back(changed);
    newest.name = verb_ + " " + blockCountText(static_cast<int>(newest.changed.size()));
    return true;
}

void EditStep::commit() {
    if (committed_)
        return;
    committed_ = true;
    if (document_.openStep_ == this)
        document_.openStep_ = nullptr;
    EditStepRecord& step = *step_;

    // A removed record leaves the selection with its node.
    if (removedAny_) {
        document_.selection_.dropUnflagged();
        document_.dropIndex();
    }

    DocumentChange change;
    std::erase_if(step.changed, [&](EditStepRecord::Changed& changed) {
        changed.record->flags &= ~BLOCK_IN_STEP;
        const unsigned properties = changedProperties(changed.other, stateOf(*changed.record));
        if (properties != 0)
            change.changed.push_back({changed.record, properties});
        return properties == 0;
    });
    std::sort(step.removed.begin(), step.removed.end(),
              [](const auto& a, const auto& b) { return a.index < b.index; });

    std::vector<const BlockRecord*> after = document_.selectionNow();
    step.selectionKept = after == step.selectionBefore;
    if (!step.selectionKept) {
        document_.selectionDelta(step.selectionBefore, change);
        step.selectionAfter = std::move(after);
    }
    change.added = recordsOf(step.added);
    change.removed = recordsOf(step.removed);

    if (!change.trackChanged()) {
        // Nothing to undo, but the edit may have changed the selection (an empty area's delete).
        if (change.selectionChanged()) {
            change.cause = DocumentChange::Cause::Selection;
            document_.notify(change);
        }
        return;
    }
    step.lastCollated = document_.history_.now();
    if (EditStepRecord* newest = document_.history_.collatingStep(step.collateKey)) {
        if (collateInto(*newest)) {
            newest->lastCollated = step.lastCollated;
            document_.history_.collated(stepBytes(*newest));
            // Up and back down again: nothing is left to undo.
            if (std::all_of(newest->changed.begin(), newest->changed.end(),
                            [](const EditStepRecord::Changed& c) {
                                return stateOf(*c.record) == c.other;
                            }))
                document_.history_.dropNewest();
            document_.notify(change);
            return;
        }
    }
    const int affected =
        static_cast<int>(step.changed.size() + step.added.size() + step.removed.size());
    step.name = verb_ + " " + blockCountText(affected);
    step.changed.shrink_to_fit();
    step.bytes = stepBytes(step);
    document_.history_.push(std::move(step_));
    change.droppedSteps = document_.history_.takeDroppedCount();
    document_.notify(change);
}
