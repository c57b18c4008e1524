#include "edit/track_document.h"

#include "edit/block_state.h"
#include "edit/edit_step.h"

namespace {

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

} // namespace

void TrackDocument::selectionDelta(const std::vector<const BlockRecord*>& before,
                                   DocumentChange& change) const {
    // A bit of the records' own marks the old members, so that the comparison costs one pass
    // over each side whatever their sizes.
    constexpr std::uint32_t kWasSelected = 16;
    for (const BlockRecord* record : before)
        writable(*record).flags |= kWasSelected;
    for (const BlockRecord* record : selection_.members())
        if (!(record->flags & kWasSelected))
            change.entered.push_back(record);
    for (const BlockRecord* record : before) {
        if (!Selection::contains(*record))
            change.left.push_back(record);
        writable(*record).flags &= ~kWasSelected;
    }
}

const TrackDocument::Place* TrackDocument::placeOf(const BlockRecord* record) const {
    if (!record)
        return nullptr;
    if (!indexValid_) {
        index_.clear();
        index_.reserve(track_.blocks.size());
        auto& blocks = const_cast<std::list<BlockRecord>&>(track_.blocks);
        int position = 0;
        for (auto it = blocks.begin(); it != blocks.end(); ++it)
            index_.emplace(&*it, Place{position++, it});
        indexValid_ = true;
    }
    auto found = index_.find(record);
    return found == index_.end() ? nullptr : &found->second;
}

int TrackDocument::lineOf(const BlockRecord* record) const {
    const Place* place = placeOf(record);
    return place ? place->position : -1;
}

std::vector<const BlockRecord*> TrackDocument::selectionNow() const {
    return selection_.members();
}

void TrackDocument::selectionChangedFrom(const std::vector<const BlockRecord*>& before) {
    if (openStep_)
        return;
    DocumentChange change;
    change.cause = DocumentChange::Cause::Selection;
    selectionDelta(before, change);
    if (change.selectionChanged())
        notify(change);
}

void TrackDocument::select(const BlockRecord* record, bool toggle) {
    const Place* place = placeOf(record);
    if (!place)
        return;
    BlockRecord& writable = *place->node;
    DocumentChange change;
    change.cause = DocumentChange::Cause::Selection;
    if (selection_.add(writable))
        change.entered.push_back(record);
    else if (toggle && selection_.remove(writable))
        change.left.push_back(record);
    if (!openStep_ && change.selectionChanged())
        notify(change);
}

void TrackDocument::deselect(const BlockRecord* record) {
    const Place* place = placeOf(record);
    if (!place || !selection_.remove(*place->node) || openStep_)
        return;
    DocumentChange change;
    change.cause = DocumentChange::Cause::Selection;
    change.left.push_back(record);
    notify(change);
}

void TrackDocument::clearSelection() {
    DocumentChange change;
    change.cause = DocumentChange::Cause::Selection;
    change.left = selection_.clear();
    if (!openStep_ && change.selectionChanged())
        notify(change);
}

void TrackDocument::setSelection(const std::vector<const BlockRecord*>& members) {
    const std::vector<const BlockRecord*> before = selection_.clear();
    for (const BlockRecord* record : members)
        if (const Place* place = placeOf(record))
            selection_.add(*place->node);
    selectionChangedFrom(before);
}

void TrackDocument::invertSelection() {
    if (track_.blocks.empty())
        return;
    std::vector<BlockRecord*> others;
    for (BlockRecord& record : track_.blocks)
        if (!Selection::contains(record))
            others.push_back(&record);
    const std::vector<const BlockRecord*> before = selection_.clear();
    for (BlockRecord* record : others)
        selection_.add(*record);
    selectionChangedFrom(before);
}

void TrackDocument::replaceTrack(Track track, TrackEnvelope envelope, std::string path,
                                 bool matchesFile) {
    selection_.clear();
    // The old records go with the history that refers to them.
    history_.clear();
    track_ = std::move(track);
    for (BlockRecord& record : track_.blocks)
        record.flags &= ~BLOCK_SELECTED;
    envelope_ = std::move(envelope);
    path_ = std::move(path);
    dropIndex();
    if (!matchesFile)
        history_.markUnsaved();
    DocumentChange change;
    change.cause = DocumentChange::Cause::Replaced;
    notify(change);
}

Track TrackDocument::releaseTrack() {
    selection_.clear();
    history_.clear();
    dropIndex();
    Track released = std::exchange(track_, Track{});
    DocumentChange change;
    change.cause = DocumentChange::Cause::Replaced;
    notify(change);
    return released;
}

void TrackDocument::noteSaved() {
    history_.markSaved();
    DocumentChange change;
    change.cause = DocumentChange::Cause::Saved;
    notify(change);
}

void TrackDocument::replay(EditStepRecord& step, bool back) {
    DocumentChange change;
    change.cause = back ? DocumentChange::Cause::Undo : DocumentChange::Cause::Redo;
    const std::vector<const BlockRecord*> before = selection_.clear();
    std::list<BlockRecord>& blocks = track_.blocks;
    const auto swap = [&](EditStepRecord::Changed& changed) {
        if (const unsigned properties = swapState(changed))
            change.changed.push_back({changed.record, properties});
    };
    if (back) {
        takeOut(blocks, step.held, step.added);
        insertAtIndexes(blocks, step.held, step.removed);
        for (auto changed = step.changed.rbegin(); changed != step.changed.rend(); ++changed)
            swap(*changed);
        change.added = recordsOf(step.removed);
        change.removed = recordsOf(step.added);
    } else {
        for (EditStepRecord::Changed& changed : step.changed)
            swap(changed);
        takeOut(blocks, step.held, step.removed);
        insertAtIndexes(blocks, step.held, step.added);
        change.added = recordsOf(step.added);
        change.removed = recordsOf(step.removed);
    }
    const std::vector<const BlockRecord*>& members =
        back || step.selectionKept ? step.selectionBefore : step.selectionAfter;
    for (const BlockRecord* record : members)
        selection_.add(writable(*record));
    dropIndex();
    selectionDelta(before, change);
    notify(change);
}

bool TrackDocument::undo() {
    EditStepRecord* step = history_.stepToUndo();
    if (!step)
        return false;
    replay(*step, true);
    return true;
}

bool TrackDocument::redo() {
    EditStepRecord* step = history_.stepToRedo();
    if (!step)
        return false;
    replay(*step, false);
    return true;
}
