#pragma once

#include <array>
#include <chrono>
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

// The fields of a record that a step may change in place.
struct BlockState {
    std::uint32_t catalogIndex = 0;
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
    std::vector<const BlockRecord*> selectionBefore;
    std::vector<const BlockRecord*> selectionAfter;
    bool selectionKept = false; // selectionAfter is left empty then
    std::size_t bytes = 0;
    // Steps of one gesture (the same handle, spinner or key, again and again) share a key and
    // collate into one; empty for steps that stand alone.
    std::string collateKey;
    std::chrono::steady_clock::time_point lastCollated;
};

// The undo history of the open track: unlimited in steps, bounded in memory. It also knows
// whether the track differs from its saved state and counts every change, for whoever needs to
// know how much happened since some moment.
class EditHistory {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::size_t kDefaultMemoryCap = std::size_t{256} << 20;
    // A gesture paused for this long starts a new step.
    static constexpr std::chrono::milliseconds kCollateWindow{1000};

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

    // The clock that times gestures; tests set their own.
    void setClock(std::function<Clock::time_point()> clock) { clock_ = std::move(clock); }
    Clock::time_point now() const { return clock_ ? clock_() : Clock::now(); }

    // Releases every step; the current state becomes the saved one.
    void clear();
    void markSaved();
    // The track differs from its file although no step was done (recovered changes).
    void markUnsaved() { savedReachable_ = false; }

    // Takes a finished step as the newest, dropping the steps that were undone and, past the cap,
    // the oldest ones.
    void push(std::unique_ptr<EditStepRecord> step);
    // The newest step, when a step of the same gesture done now may join it: it is the newest
    // step and done, the saved state is not between them, and the gesture did not pause.
    EditStepRecord* collatingStep(const std::string& key);
    // The newest step took in another one and now holds `bytes`.
    void collated(std::size_t bytes);
    // Drops the newest step, done and last, whose gesture came back to where it started.
    void dropNewest();
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
    std::function<Clock::time_point()> clock_;
};
