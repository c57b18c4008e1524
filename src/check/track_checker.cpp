#include "check/track_checker.h"

#include "track/track_head_info.h"

TrackChecker::TrackChecker(const TrackDocument& document, const CatalogState& catalog)
    : document_(document), catalog_(catalog) {
    recordedCheckpoints_ = readTrackHead(document.envelope().headBytes).checkpoints;
    findings_ = checkTrack(document.track(), catalog, recordedCheckpoints_);
    documentListener_ = document.addListener([this](const DocumentChange& change) {
        if (change.cause == DocumentChange::Cause::Replaced)
            recordedCheckpoints_ = readTrackHead(document_.envelope().headBytes).checkpoints;
        if (change.trackChanged())
            refresh();
    });
}

TrackChecker::~TrackChecker() {
    document_.removeListener(documentListener_);
}

int TrackChecker::count(Severity severity) const {
    return static_cast<int>(
        std::count_if(findings_.begin(), findings_.end(),
                      [severity](const Finding& finding) { return finding.severity == severity; }));
}

void TrackChecker::refresh() {
    findings_ = checkTrack(document_.track(), catalog_, recordedCheckpoints_);
    listeners_.notify();
}
