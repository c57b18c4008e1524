#pragma once

#include <memory>
#include <string>

#include "edit/edit_history.h"
#include "edit/track_document.h"
#include "track/track.h"

// One change of the document's track. An edit opens a step, changes records through it (the
// only way to get a writable record), adds and removes records through it, may change the
// selection through the document, then commits: the step goes into the history (when it changed
// anything) and the document's listeners hear what changed, once.
class EditStep {
  public:
    // verb names the step: "Move" gives "Move 3 blocks". Steps with the same non-empty
    // collateKey, done one after another on the same selection without a pause, become one.
    EditStep(TrackDocument& document, std::string verb, std::string collateKey = {});
    ~EditStep();
    EditStep(const EditStep&) = delete;
    EditStep& operator=(const EditStep&) = delete;

    // The record, writable: its state before the step is kept first.
    BlockRecord& change(const BlockRecord& record);
    // Appends a record at the end of the track and returns it.
    const BlockRecord* append(BlockRecord record);
    // Takes the record out of the track (a record that is not in it is ignored).
    void remove(const BlockRecord& record);
    // Takes every selected block out of the track.
    void removeSelected();
    // The records this step appended become the selection, in the order they came.
    void selectAppended();

    // Records and announces the step; nothing when it changed nothing. Called by the destructor
    // when not called before.
    void commit();

  private:
    void takeOut(std::list<BlockRecord>::iterator node, std::size_t index);
    // Folds this step into the newest one of the same gesture; false when it may not.
    bool collateInto(EditStepRecord& newest);

    TrackDocument& document_;
    std::string verb_;
    std::unique_ptr<EditStepRecord> step_;
    bool committed_ = false;
    bool removedAny_ = false;
};

// "3 blocks", "1 block".
std::string blockCountText(int count);
