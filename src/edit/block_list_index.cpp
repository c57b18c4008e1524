#include "edit/block_list_index.h"

#include "edit/editor_context.h"

namespace {

bool indexMatchesList(const BlockListIndex& index, const std::list<BlockRecord>& blocks) {
    if (!index.valid || index.builtSize != blocks.size())
        return false;
    if (blocks.empty())
        return true;
    return index.builtFront == &blocks.front() && index.builtBack == &blocks.back();
}

void rebuild(BlockListIndex& index, std::list<BlockRecord>& blocks) {
    index.places.clear();
    index.places.reserve(blocks.size());
    int position = 0;
    for (auto it = blocks.begin(); it != blocks.end(); ++it)
        index.places.emplace(&*it, BlockListIndex::Place{position++, it});
    index.builtSize = blocks.size();
    index.builtFront = blocks.empty() ? nullptr : &blocks.front();
    index.builtBack = blocks.empty() ? nullptr : &blocks.back();
    index.valid = true;
}

} // namespace

const BlockListIndex::Place* findBlockPlace(EditorContext& ctx, const BlockRecord* record) {
    if (!record)
        return nullptr;
    BlockListIndex& index = ctx.blockIndex;
    if (!indexMatchesList(index, ctx.currentTrack.blocks))
        rebuild(index, ctx.currentTrack.blocks);
    auto it = index.places.find(record);
    return it == index.places.end() ? nullptr : &it->second;
}

int blockListIndex(EditorContext& ctx, const BlockRecord* record) {
    const BlockListIndex::Place* place = findBlockPlace(ctx, record);
    return place ? place->position : -1;
}

void invalidateBlockListIndex(EditorContext& ctx) {
    ctx.blockIndex.valid = false;
    ctx.blockIndex.places.clear();
}

void noteAppendedBlock(EditorContext& ctx, std::list<BlockRecord>::iterator node) {
    BlockListIndex& index = ctx.blockIndex;
    std::list<BlockRecord>& blocks = ctx.currentTrack.blocks;
    // Valid only if it described the list as it was before this one append.
    bool wasCurrent = index.valid && index.builtSize + 1 == blocks.size() &&
                      (index.builtSize == 0 || (index.builtFront == &blocks.front() &&
                                                index.builtBack == &*std::prev(node)));
    if (!wasCurrent) {
        invalidateBlockListIndex(ctx);
        return;
    }
    index.places.emplace(&*node, BlockListIndex::Place{static_cast<int>(index.builtSize), node});
    index.builtSize = blocks.size();
    index.builtFront = &blocks.front();
    index.builtBack = &*node;
}
