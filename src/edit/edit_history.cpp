#include "edit/edit_history.h"

std::string EditHistory::undoName() const {
    return canUndo() ? steps_[done_ - 1]->name : std::string();
}

std::string EditHistory::redoName() const {
    return canRedo() ? steps_[done_]->name : std::string();
}

std::size_t EditHistory::takeDroppedCount() {
    std::size_t dropped = dropped_;
    dropped_ = 0;
    return dropped;
}

void EditHistory::clear() {
    steps_.clear();
    done_ = 0;
    savedAt_ = 0;
    savedReachable_ = true;
    memoryUsed_ = 0;
    dropped_ = 0;
}

void EditHistory::markSaved() {
    savedAt_ = done_;
    savedReachable_ = true;
}

void EditHistory::push(std::unique_ptr<EditStepRecord> step) {
    if (!step)
        return;
    // The undone steps can no longer be redone; a saved state among them is out of reach.
    if (savedReachable_ && savedAt_ > done_)
        savedReachable_ = false;
    while (steps_.size() > done_) {
        memoryUsed_ -= steps_.back()->bytes;
        steps_.pop_back();
    }
    memoryUsed_ += step->bytes;
    steps_.push_back(std::move(step));
    ++done_;
    ++serial_;
    // The newest step stays even when it alone is past the cap: it is what the user just did.
    while (memoryUsed_ > memoryCap_ && steps_.size() > 1) {
        memoryUsed_ -= steps_.front()->bytes;
        steps_.pop_front();
        --done_;
        ++dropped_;
        if (savedAt_ == 0)
            savedReachable_ = false;
        else
            --savedAt_;
    }
}

EditStepRecord* EditHistory::stepToUndo() {
    if (!canUndo())
        return nullptr;
    ++serial_;
    return steps_[--done_].get();
}

EditStepRecord* EditHistory::stepToRedo() {
    if (!canRedo())
        return nullptr;
    ++serial_;
    return steps_[done_++].get();
}

EditStepRecord* EditHistory::collatingStep(const std::string& key) {
    if (key.empty() || done_ == 0 || done_ != steps_.size() || (savedReachable_ && savedAt_ == done_))
        return nullptr;
    EditStepRecord* newest = steps_.back().get();
    if (newest->collateKey != key || now() - newest->lastCollated > kCollateWindow)
        return nullptr;
    return newest;
}

void EditHistory::collated(std::size_t bytes) {
    EditStepRecord& newest = *steps_.back();
    memoryUsed_ = memoryUsed_ - newest.bytes + bytes;
    newest.bytes = bytes;
    ++serial_;
}

void EditHistory::dropNewest() {
    if (done_ == 0 || done_ != steps_.size())
        return;
    memoryUsed_ -= steps_.back()->bytes;
    steps_.pop_back();
    --done_;
    ++serial_;
}
