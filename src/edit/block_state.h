#pragma once

#include "edit/document_change.h"
#include "edit/edit_history.h"

inline BlockState stateOf(const BlockRecord& record) {
    return BlockState{record.catalogIndex, record.x,       record.y,
                      record.z,            record.rotation, record.variant,
                      (record.flags & BLOCK_HIDDEN) != 0};
}

// BlockProperty bits of what differs between two states of a record.
inline unsigned changedProperties(const BlockState& a, const BlockState& b) {
    unsigned properties = 0;
    if (a.x != b.x || a.y != b.y || a.z != b.z)
        properties |= kPlaceChanged;
    if (a.rotation != b.rotation)
        properties |= kTurnChanged;
    if (a.variant != b.variant)
        properties |= kVariantChanged;
    if (a.hidden != b.hidden)
        properties |= kHiddenChanged;
    if (a.catalogIndex != b.catalogIndex)
        properties |= kKindChanged;
    return properties;
}

// Gives the record the other state and keeps the one it had in its place; returns what changed.
inline unsigned swapState(EditStepRecord::Changed& changed) {
    BlockRecord& record = *changed.record;
    const BlockState now = stateOf(record);
    const BlockState& other = changed.other;
    record.catalogIndex = other.catalogIndex;
    record.x = other.x;
    record.y = other.y;
    record.z = other.z;
    record.rotation = other.rotation;
    record.variant = other.variant;
    record.flags = other.hidden ? record.flags | BLOCK_HIDDEN : record.flags & ~BLOCK_HIDDEN;
    const unsigned properties = changedProperties(now, other);
    changed.other = now;
    return properties;
}

// The records of a step's added or removed nodes, in the step's order.
inline std::vector<const BlockRecord*> recordsOf(const std::vector<EditStepRecord::Node>& nodes) {
    std::vector<const BlockRecord*> records;
    records.reserve(nodes.size());
    for (const EditStepRecord::Node& node : nodes)
        records.push_back(&*node.node);
    return records;
}
