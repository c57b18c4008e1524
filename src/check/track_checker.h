#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "check/track_checks.h"
#include "edit/listeners.h"
#include "edit/track_document.h"

// Keeps the findings of the document's track current: it checks the whole track again after
// every change of the blocks (a 32,768-block track in a few milliseconds, see bench/) and then
// tells its own listeners. The recorded checkpoint count is read from the head when a track
// comes in.
class TrackChecker {
  public:
    TrackChecker(const TrackDocument& document, const CatalogState& catalog);
    ~TrackChecker();
    TrackChecker(const TrackChecker&) = delete;
    TrackChecker& operator=(const TrackChecker&) = delete;

    const std::vector<Finding>& findings() const { return findings_; }
    // Findings of the severity, those left out of the list included.
    int count(Severity severity) const;

    // Checks again, as after a change of the catalogue.
    void refresh();

    int addListener(std::function<void()> listener) const {
        return listeners_.add(std::move(listener));
    }
    void removeListener(int id) const { listeners_.remove(id); }

  private:
    const TrackDocument& document_;
    const CatalogState& catalog_;
    std::optional<int> recordedCheckpoints_;
    std::vector<Finding> findings_;
    int documentListener_ = 0;
    mutable Listeners<> listeners_;
};
