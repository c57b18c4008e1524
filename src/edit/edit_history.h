#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "track/track.h"

// What one step did to the track, as its listeners hear it.
struct TrackChange {
    enum class Cause { Edit, Undo, Redo, NewHistory, Saved };
    Cause cause = Cause::Edit;
    int added = 0;
    int removed = 0;
    int changed = 0;
    // Some line of the block list reads differently (a block came, went, or was hidden).
    bool linesChanged = false;
    bool selectionChanged = false;
};

// The fields of a record that a step may change in place.
struct BlockState {
    std::int32_t modelList = 0;
    std::int8_t x = 0;
    std::int8_t y = 0;
    std::int8_t z = 0;
    std::uint8_t rotation = 0;
    std::array<std::uint8_t, 4> variant{};
    bool hidden = false;

    bool operator==(const BlockState&) const = default;
};

// One undoable step. Records that a step removed (or, once undone, added) live on as nodes of
// `held`, spliced out of the track's list, so that their addresses survive until the step is
// dropped.
struct EditStepRecord {
    struct Changed {
        BlockRecord* record = nullptr;
        BlockState other; // the state before the step while it is done, after it while undone
    };
    struct Node {
        std::size_t index = 0; // in the list before the step (removed) or after it (added)
        std::list<BlockRecord>::iterator node;
    };

    std::string name; // "Move 3 blocks"
    std::vector<Changed> changed;
    std::vector<Node> removed; // ascending indexes
    std::vector<Node> added;   // ascending indexes
    std::list<BlockRecord> held;
    std::vector<BlockRecord*> selectionBefore;
    std::vector<BlockRecord*> selectionAfter;
    bool selectionKept = false; // selectionAfter is left empty then
    bool linesChanged = false;
    std::size_t bytes = 0;
};

// The undo history of the open track: unlimited in steps, bounded in memory. It also knows
// whether the track differs from its saved state and counts every change, for whoever needs to
// know how much happened since some moment.
class EditHistory {
  public:
    using Listener = std::function<void(const TrackChange&)>;

    static constexpr std::size_t kDefaultMemoryCap = std::size_t{256} << 20;

    void setMemoryCap(std::size_t bytes) { memoryCap_ = bytes; }
    std::size_t memoryCap() const { return memoryCap_; }
    std::size_t memoryUsed() const { return memoryUsed_; }

    bool canUndo() const { return done_ > 0; }
    bool canRedo() const { return done_ < steps_.size(); }
    // The step's name, e.g. "Move 3 blocks"; empty when there is none.
    std::string undoName() const;
    std::string redoName() const;
    std::size_t stepCount() const { return steps_.size(); }
    std::size_t doneCount() const { return done_; }

    // Whether the track differs from the state last saved or opened.
    bool modified() const { return !savedReachable_ || savedAt_ != done_; }
    // Counts every step done, undone or redone since the history began, never going back.
    std::uint64_t changeSerial() const { return serial_; }
    // Steps dropped from the oldest end by the memory cap since the last call.
    std::size_t takeDroppedCount();

    // Called with every change: edits, undo, redo, a new history, a save. The id removes it.
    int addListener(Listener listener);
    void removeListener(int id);
    void notify(const TrackChange& change) const;

    // Releases every step; the current state becomes the saved one.
    void clear();
    void markSaved();
    // The track differs from its file although no step was done (recovered changes).
    void markUnsaved() { savedReachable_ = false; }

    // Takes a finished step as the newest, dropping the steps that were undone and, past the cap,
    // the oldest ones.
    void push(std::unique_ptr<EditStepRecord> step);
    // The step to undo or redo next, moving the position; none when there is none.
    EditStepRecord* stepToUndo();
    EditStepRecord* stepToRedo();

  private:
    std::deque<std::unique_ptr<EditStepRecord>> steps_;
    std::size_t done_ = 0;
    std::size_t savedAt_ = 0;
    bool savedReachable_ = true;
    std::size_t memoryCap_ = kDefaultMemoryCap;
    std::size_t memoryUsed_ = 0;
    std::uint64_t serial_ = 0;
    std::size_t dropped_ = 0;
    std::vector<std::pair<int, Listener>> listeners_;
    int nextListener_ = 1;
};
