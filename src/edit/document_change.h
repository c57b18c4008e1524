#pragma once

#include <cstddef>
#include <vector>

#include "track/track.h"

// The properties of a record that a step may change in place.
enum BlockProperty : unsigned {
    kPlaceChanged = 1,   // x, y, z
    kTurnChanged = 2,    // rotation
    kVariantChanged = 4, // the variant bytes
    kHiddenChanged = 8,
    kKindChanged = 16, // catalogIndex
};

// What the document tells its listeners after each change. Records named here stay valid while
// the listeners run: removed ones live on in the undo history.
struct DocumentChange {
    enum class Cause {
        Edit,      // a step was done
        Undo,      // the newest done step was taken back
        Redo,      // the newest undone step was done again
        Selection, // only the selection changed
        Replaced,  // a new track: every record and the whole selection are new
        Saved,     // the track on disk now matches
    };
    struct Changed {
        const BlockRecord* record = nullptr;
        unsigned properties = 0; // BlockProperty bits
    };

    Cause cause = Cause::Edit;
    std::vector<const BlockRecord*> added;   // now in the track, in ascending list order
    std::vector<const BlockRecord*> removed; // now out of the track
    std::vector<Changed> changed;
    std::vector<const BlockRecord*> entered; // came into the selection
    std::vector<const BlockRecord*> left;    // went out of the selection
    // Steps the history dropped from its oldest end to stay within its memory cap.
    std::size_t droppedSteps = 0;

    bool trackChanged() const {
        return cause == Cause::Replaced || !added.empty() || !removed.empty() || !changed.empty();
    }
    bool selectionChanged() const {
        return cause == Cause::Replaced || !entered.empty() || !left.empty();
    }
    // Some line of the block list reads differently or stands elsewhere.
    bool linesMoved() const { return cause == Cause::Replaced || !added.empty() || !removed.empty(); }
};
