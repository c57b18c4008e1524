#include "view/block_table.h"

#include "view/block_placement.h"
#include "view/view_pyramid.h"

void BlockTable::rebuild() {
    std::vector<Entry> entries;
    entries.reserve(document_.blocks().size());
    std::unordered_map<const BlockRecord*, std::size_t> slots;
    slots.reserve(document_.blocks().size());
    for (const BlockRecord& record : document_.blocks()) {
        slots.emplace(&record, entries.size());
        entries.push_back({&record, modelOf(&record), false});
    }
    entries_ = std::move(entries);
    slots_ = std::move(slots);
    listed_ = true;
}

std::int32_t BlockTable::modelOf(const BlockRecord* record) const {
    auto slot = slots_.find(record);
    return slot == slots_.end() ? kUnresolved : entries_[slot->second].model;
}

const BlockTable::Entry* BlockTable::entryOf(const BlockRecord* record) const {
    auto slot = slots_.find(record);
    return slot == slots_.end() ? nullptr : &entries_[slot->second];
}

void BlockTable::apply(const DocumentChange& change) {
    if (!change.trackChanged())
        return;
    ++serial_;
    visibilityKnown_ = false;
    if (change.cause == DocumentChange::Cause::Replaced) {
        entries_.clear();
        slots_.clear();
        listed_ = false;
        everyBlockChanged_ = true;
        return;
    }
    for (const DocumentChange::Changed& changed : change.changed) {
        if (!everyBlockChanged_)
            changed_.push_back(changed.record);
        if (!(changed.properties & (kVariantChanged | kKindChanged)))
            continue;
        if (auto slot = slots_.find(changed.record); slot != slots_.end())
            entries_[slot->second].model = kUnresolved;
    }
    if (!change.added.empty() || !change.removed.empty()) {
        listed_ = false;
        everyBlockChanged_ = true;
    }
    // Edits without a frame between them: testing every block is as cheap.
    if (everyBlockChanged_ || changed_.size() > entries_.size()) {
        changed_.clear();
        everyBlockChanged_ = true;
    }
}

void BlockTable::resolveModels(ModelResolver& resolver) {
    if (!listed_)
        rebuild();
    bool resolved = false;
    for (Entry& entry : entries_) {
        if (entry.model == kUnresolved) {
            entry.model = resolver.resolveBlockModel(*entry.record);
            resolved = true;
        }
    }
    // New models may change the blocks' boxes and the picture.
    if (resolved) {
        ++serial_;
        visibilityKnown_ = false;
        everyBlockChanged_ = true;
    }
}

void BlockTable::updateVisibility(const CatalogState& catalog,
                                  const std::function<const Box3&(std::int32_t)>& modelBounds,
                                  const Camera& camera, double aspect) {
    if (!listed_)
        rebuild();
    const bool sameView = visibilityCamera_.position == camera.position &&
                          visibilityCamera_.direction == camera.direction &&
                          visibilityCamera_.up == camera.up && visibilityAspect_ == aspect;
    if (visibilityKnown_ && sameView)
        return;
    const ViewPyramid pyramid(camera, aspect);
    auto test = [&](Entry& entry) {
        entry.inView = pyramid.contains(blockBox(*entry.record, catalog, modelBounds(entry.model)));
    };
    // After an edit of a few blocks under the same view, only they are tested again.
    if (sameView && !everyBlockChanged_) {
        for (const BlockRecord* record : changed_)
            if (auto slot = slots_.find(record); slot != slots_.end())
                test(entries_[slot->second]);
    } else {
        for (Entry& entry : entries_)
            test(entry);
    }
    changed_.clear();
    everyBlockChanged_ = false;
    visibilityKnown_ = true;
    visibilityCamera_ = camera;
    visibilityAspect_ = aspect;
}
