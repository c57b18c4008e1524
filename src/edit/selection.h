#pragma once

#include <list>

#include "track/track.h"

// The chosen blocks, in the order they were chosen. Members point at records owned by the
// track; a record is a member exactly when its BLOCK_SELECTED bit is set.
struct Selection {
    std::list<BlockRecord*> members;

    int count() const { return static_cast<int>(members.size()); }
    BlockRecord* first() const { return members.empty() ? nullptr : members.front(); }
};
