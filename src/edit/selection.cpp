#include "edit/selection.h"

#include <algorithm>
#include <utility>

namespace {

// Members are records of the document's own track, which holds them as non-const objects.
BlockRecord& writable(const BlockRecord* record) {
    return const_cast<BlockRecord&>(*record);
}

} // namespace

bool Selection::add(BlockRecord& record) {
    if (record.flags & BLOCK_SELECTED)
        return false;
    record.flags |= BLOCK_SELECTED;
    members_.push_back(&record);
    return true;
}

bool Selection::remove(BlockRecord& record) {
    if (!(record.flags & BLOCK_SELECTED))
        return false;
    record.flags &= ~BLOCK_SELECTED;
    auto node = std::find(members_.begin(), members_.end(), &record);
    if (node != members_.end())
        members_.erase(node);
    return true;
}

std::vector<const BlockRecord*> Selection::clear() {
    for (const BlockRecord* record : members_)
        writable(record).flags &= ~BLOCK_SELECTED;
    return std::exchange(members_, {});
}

void Selection::dropUnflagged() {
    std::erase_if(members_, [](const BlockRecord* r) { return !(r->flags & BLOCK_SELECTED); });
}
