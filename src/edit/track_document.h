#pragma once

#include <cstddef>
#include <functional>
#include <list>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "edit/document_change.h"
#include "edit/edit_history.h"
#include "edit/listeners.h"
#include "edit/selection.h"
#include "track/track.h"

class EditStep;

// The open track and everything that changes with it: its envelope and path, the undo history,
// the selection and where each record stands in the list. It is the one door for changes: a
// step (edit/edit_step.h) or a selection operation here changes the blocks or the selection,
// and every change ends with one notification to the listeners. Everyone else reads.
class TrackDocument {
  public:
    using Listener = std::function<void(const DocumentChange&)>;

    TrackDocument() = default;
    TrackDocument(const TrackDocument&) = delete;
    TrackDocument& operator=(const TrackDocument&) = delete;

    const Track& track() const { return track_; }
    const std::list<BlockRecord>& blocks() const { return track_.blocks; }
    const TrackEnvelope& envelope() const { return envelope_; }
    // The file the track was opened from; empty for none.
    const std::string& path() const { return path_; }
    const EditHistory& history() const { return history_; }
    const Selection& selection() const { return selection_; }
    bool modified() const { return history_.modified(); }

    // 0-based position of the record in the list, or -1 when it is not a block of the track.
    int lineOf(const BlockRecord* record) const;
    bool holds(const BlockRecord* record) const { return lineOf(record) >= 0; }

    // Listeners hear every change once, in the order they were added. The id removes one. A
    // listener that throws is passed over; the change and the other listeners go on.
    // Listening changes nothing of the document, so readers may listen too.
    int addListener(Listener listener) const { return listeners_.add(std::move(listener)); }
    void removeListener(int id) const { listeners_.remove(id); }

    // The selection. Records that are not blocks of the track are ignored. While a step is open
    // its own notification reports what these change.
    // Adds the record, or with toggle removes it when it is already there.
    void select(const BlockRecord* record, bool toggle);
    void deselect(const BlockRecord* record);
    void clearSelection();
    // The members become exactly these, in this order.
    void setSelection(const std::vector<const BlockRecord*>& members);
    // Every block changes sides: selected ones drop out, the others join in track order.
    void invertSelection();

    // Takes a new track (opened, reloaded or recovered) with a new history. One that does not
    // match its file (recovered changes) starts modified.
    void replaceTrack(Track track, TrackEnvelope envelope, std::string path,
                      bool matchesFile = true);
    // Hands the track over, unselected, and keeps an empty one with a new history (the envelope
    // and the path stay): for a track built up outside the document and taken again.
    Track releaseTrack();
    // The track was saved as it is now.
    void noteSaved();

    // False when there is nothing to undo or redo.
    bool undo();
    bool redo();

    // The history's memory cap and clock, for tests and benchmarks.
    void setHistoryCap(std::size_t bytes) { history_.setMemoryCap(bytes); }
    void setHistoryClock(std::function<EditHistory::Clock::time_point()> clock) {
        history_.setClock(std::move(clock));
    }

  private:
    friend class EditStep;

    struct Place {
        int position = 0;
        std::list<BlockRecord>::iterator node;
    };
    // The record's place in the list, or null; rebuilds the index when a change dropped it.
    const Place* placeOf(const BlockRecord* record) const;
    void dropIndex() const { indexValid_ = false; }
    // A record of this track, given by a reader of it.
    static BlockRecord& writable(const BlockRecord& record) {
        return const_cast<BlockRecord&>(record);
    }
    void notify(const DocumentChange& change) const { listeners_.notify(change); }
    // Fills the change's entered and left from the members before and the selection now.
    void selectionDelta(const std::vector<const BlockRecord*>& before,
                        DocumentChange& change) const;
    // Reports the selection's change since `before` (the members then), outside a step.
    void selectionChangedFrom(const std::vector<const BlockRecord*>& before);
    std::vector<const BlockRecord*> selectionNow() const;
    // Takes back or does again a step; undoing is `back`.
    void replay(EditStepRecord& step, bool back);

    Track track_;
    TrackEnvelope envelope_;
    std::string path_;
    EditHistory history_;
    Selection selection_;
    EditStep* openStep_ = nullptr;

    mutable std::unordered_map<const BlockRecord*, Place> index_;
    mutable bool indexValid_ = false;

    mutable Listeners<const DocumentChange&> listeners_;
};
