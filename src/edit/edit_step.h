#pragma once

#include <list>
#include <memory>
#include <string>

#include "edit/edit_history.h"
#include "track/track.h"

struct EditorContext;

// The one door for changes to the current track. An edit opens a step, announces each record
// before it changes it, adds and removes records through the step, then commits: the step goes
// into the history (when it changed anything) and the panels, the view and the history's
// listeners hear what changed.
class EditStep {
  public:
    // verb names the step: "Move" gives "Move 3 blocks".
    EditStep(EditorContext& ctx, std::string verb);
    ~EditStep();
    EditStep(const EditStep&) = delete;
    EditStep& operator=(const EditStep&) = delete;

    // Call before the record's position, rotation, variant, model or hidden bit changes.
    void change(BlockRecord& record);
    // Appends a record at the end of the track and returns it.
    BlockRecord* append(BlockRecord record);
    // Takes a node out of the track; index is its position in the list before this step.
    void remove(std::list<BlockRecord>::iterator node, std::size_t index);

    // Records and announces the step; nothing when it changed nothing. Called by the destructor
    // when not called before.
    void commit();

  private:
    EditorContext& ctx_;
    std::string verb_;
    std::unique_ptr<EditStepRecord> step_;
    bool committed_ = false;
};

// Undoes the newest done step, or redoes the newest undone one, and announces it. False when
// there is none.
bool undoStep(EditorContext& ctx);
bool redoStep(EditorContext& ctx);

// Starts a new history (an opened or reloaded track) and tells the listeners. A track that does
// not match its file (recovered changes) starts modified.
void startNewHistory(EditorContext& ctx, bool matchesFile = true);
// The track was saved as it is now.
void noteTrackSaved(EditorContext& ctx);

// "3 blocks", "1 block".
std::string blockCountText(int count);
