#include "check/track_checker.h"

#include <utility>

#include "track/track_head_info.h"

TrackChecker::TrackChecker(const TrackDocument& document, const CatalogState& catalog, Later later)
    : document_(document), catalog_(catalog), later_(std::move(later)) {
    recordedCheckpoints_ = readTrackHead(document.envelope().headBytes).checkpoints;
    findings_ = checkTrack(document.track(), catalog, recordedCheckpoints_);
    documentListener_ = document.addListener([this](const DocumentChange& change) {
        if (change.cause == DocumentChange::Cause::Replaced)
            recordedCheckpoints_ = readTrackHead(document_.envelope().headBytes).checkpoints;
        if (!change.trackChanged())
            return;
        if (!later_) {
            refresh();
        } else if (!stale_) {
            stale_ = true;
            later_([this] {
                if (stale_)
                    refresh();
            });
        }
    });
}

TrackChecker::~TrackChecker() {
    document_.removeListener(documentListener_);
}

int TrackChecker::count(Severity severity) const {
    std::size_t count = 0;
    for (const Finding& finding : findings_)
        if (finding.severity == severity)
            count += 1 + finding.unlisted;
    return static_cast<int>(count);
}

void TrackChecker::refresh() {
    stale_ = false;
    findings_ = checkTrack(document_.track(), catalog_, recordedCheckpoints_);
    listeners_.notify();
}
