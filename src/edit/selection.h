#pragma once

#include <cstddef>
#include <vector>

#include "track/track.h"

// The chosen blocks, in the order they were chosen. A record is a member exactly when its
// BLOCK_SELECTED bit is set: the two change together here and nowhere else. Only the document
// changes a selection; everyone else reads it.
class Selection {
  public:
    int count() const { return static_cast<int>(members_.size()); }
    bool empty() const { return members_.empty(); }
    const BlockRecord* first() const { return members_.empty() ? nullptr : members_.front(); }
    const std::vector<const BlockRecord*>& members() const { return members_; }
    static bool contains(const BlockRecord& record) { return record.flags & BLOCK_SELECTED; }

  private:
    friend class TrackDocument;
    friend class EditStep;

    // Each true when it changed the selection.
    bool add(BlockRecord& record);
    bool remove(BlockRecord& record);
    // Every member leaves; returns those that left, in member order.
    std::vector<const BlockRecord*> clear();
    // Drops members whose bit was cleared behind the selection's back (a removed record).
    void dropUnflagged();

    std::vector<const BlockRecord*> members_;
};
