#pragma once

#include <functional>
#include <vector>

#include "check/track_checker.h"
#include "edit/editor_context.h"
#include "view/view_state.h"

class ChecksPanel;
class QAction;
class FactsPanel;
class QDockWidget;
class QMainWindow;

// The "Checks", "Track information" and "Statistics" docks, tabbed together. The checks and the
// statistics follow every change of the blocks, counted once the event loop is free again;
// choosing a finding selects its blocks through the document and brings the camera to them.
// Track information is read from the head when a track comes in.
class TrackPanels {
  public:
    TrackPanels(EditorContext& ctx, ViewState& view, QMainWindow& window,
                std::function<void()> frame);
    ~TrackPanels();
    TrackPanels(const TrackPanels&) = delete;
    TrackPanels& operator=(const TrackPanels&) = delete;

    // Selects the blocks of the finding at the position and brings the camera to them.
    void showFinding(int finding);

    const TrackChecker& checker() const { return checker_; }
    ChecksPanel* checks() const { return checks_; }
    FactsPanel* information() const { return information_; }
    FactsPanel* statistics() const { return statistics_; }
    QDockWidget* checksDock() const { return checksDock_; }
    // Show and hide the docks, checked while shown; they start hidden.
    const std::vector<QAction*>& viewActions() const { return viewActions_; }

  private:
    void showChecks();
    void showInformation();
    void showStatistics();

    EditorContext& ctx_;
    ViewState& view_;
    std::function<void()> frame_;
    TrackChecker checker_;
    ChecksPanel* checks_ = nullptr;
    FactsPanel* information_ = nullptr;
    FactsPanel* statistics_ = nullptr;
    QDockWidget* checksDock_ = nullptr;
    std::vector<QAction*> viewActions_;
    int checkerListener_ = 0;
    int documentListener_ = 0;
};
