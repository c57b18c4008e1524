#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "check/track_diff.h"
#include "edit/editor_context.h"
#include "view/block_tints.h"
#include "view/frame_renderer.h"
#include "view/view_state.h"

class ComparisonPanel;
class ConverterLauncher;
class QDockWidget;
class QMainWindow;

inline constexpr const char* kCompareErrorText = "The track to compare with could not be read.";

// "Compare with...": another version of the open track, read as the editor opens tracks and kept
// beside the document (never replacing it). The open track's blocks that were added, moved,
// turned or changed since that version are tinted, the removed ones drawn as ghosts, and the
// differences listed in the "Differences" dock; all of it follows the document's changes until
// the comparison ends.
class TrackComparison {
  public:
    TrackComparison(EditorContext& ctx, FrameRenderer& renderer, ViewState& view,
                    ConverterLauncher& launcher, QMainWindow& window, std::function<void()> frame);
    ~TrackComparison();
    TrackComparison(const TrackComparison&) = delete;
    TrackComparison& operator=(const TrackComparison&) = delete;

    // Asks for the other version and compares with it.
    bool compareCommand();
    // Compares with the track at `path`; false, with a message, when it cannot be read.
    bool compareWith(const std::string& path);
    void end();
    bool active() const { return active_; }

    const TrackDiff& diff() const { return diff_; }
    const BlockTints& tints() const { return tints_; }
    // The removed blocks as the ghosts draw them.
    const std::vector<BlockRecord>& ghosts() const { return ghosts_; }
    // Selects the block of a difference (a removed one has none) and brings the camera to it.
    void showDifference(int line);
    QDockWidget* dock() const { return dock_; }
    ComparisonPanel* panel() const { return panel_; }

  private:
    void refresh();

    EditorContext& ctx_;
    FrameRenderer& renderer_;
    ViewState& view_;
    ConverterLauncher& launcher_;
    std::function<void()> frame_;
    QDockWidget* dock_ = nullptr;
    ComparisonPanel* panel_ = nullptr;

    bool active_ = false;
    std::string otherPath_;
    Track other_;
    TrackEnvelope otherEnvelope_;
    CatalogState otherCatalog_;
    TrackDiff diff_;
    BlockTints tints_;
    std::vector<BlockRecord> ghosts_;
    int overlay_ = 0;
    int listener_ = 0;
};
