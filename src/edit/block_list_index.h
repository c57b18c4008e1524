#pragma once

#include <cstddef>
#include <list>
#include <unordered_map>

#include "track/track.h"

struct EditorContext;

// Where each record of the track's list sits, rebuilt on demand. Edits made here drop it at
// once; edits made elsewhere are caught by the size and end records it was built from.
struct BlockListIndex {
    struct Place {
        int position = 0;
        std::list<BlockRecord>::iterator node;
    };
    std::unordered_map<const BlockRecord*, Place> places;
    bool valid = false;
    std::size_t builtSize = 0;
    const BlockRecord* builtFront = nullptr;
    const BlockRecord* builtBack = nullptr;
};

// 0-based position of the record in the current track's list, or -1 when it is not there.
int blockListIndex(EditorContext& ctx, const BlockRecord* record);
// The record's place in the current track's list, or none when it is not there.
const BlockListIndex::Place* findBlockPlace(EditorContext& ctx, const BlockRecord* record);
// Drops the index; the next lookup rebuilds it from the list.
void invalidateBlockListIndex(EditorContext& ctx);
// Records a node just appended at the end of the list, keeping a valid index valid.
void noteAppendedBlock(EditorContext& ctx, std::list<BlockRecord>::iterator node);
