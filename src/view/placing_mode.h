#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "edit/area_editor.h"
#include "edit/placing.h"
#include "edit/track_document.h"
#include "seams/view_port.h"
#include "view/frame_renderer.h"
#include "view/view_state.h"

// Placing by pointing: a group of blocks follows the pointer as a translucent ghost, on the cell
// under the pointer at the cursor level or on top of the block under it when that stands higher;
// a click puts it down as one step and the group stays for the next. The ghost is an overlay of
// display renders: picking never sees it.
class PlacingMode {
  public:
    // Picks through the port (the view's context made current), draws through the renderer.
    PlacingMode(TrackDocument& document, const CatalogState& catalog, AreaEditor& areaEditor,
                ViewState& view, FrameRenderer& renderer, ViewPort& port);
    ~PlacingMode();
    PlacingMode(const PlacingMode&) = delete;
    PlacingMode& operator=(const PlacingMode&) = delete;

    // Takes up the group (kinds found by name in the open environment), in place of any group
    // being placed, and raises a cursor level under the ground shown to the ground's level.
    // False, with nothing started, when none of its kinds is known here.
    bool start(const BlockClipboard& group, std::string what);
    void leave();
    bool active() const { return group_ != nullptr; }
    const std::string& what() const { return what_; }

    // The pointer is at pixel (x, y) of a view width x height pixels: the ghost follows.
    void pointAt(float x, float y, int width, int height);
    // The cursor level changed: the ghost follows at the last pointer.
    void levelChanged();
    // Puts the group down where the pixel points, as one step; false where it cannot go.
    bool clickAt(float x, float y, int width, int height);
    void turn(int sense);
    void mirror(MirrorAxis axis);

    // Where the group's handle would go; none while the pointer points at nothing.
    std::optional<GridCell> target() const { return target_; }
    // The blocks as they would be put down, and their cells.
    const std::vector<BlockRecord>& ghost() const { return ghost_; }
    const PlacingCells& cells() const { return cells_; }
    // The status line while placing: what, where, and shared cells or why it cannot go there.
    std::string status() const;
    // Called after each change of the mode, the ghost or its place.
    void setChanged(std::function<void()> changed) { changed_ = std::move(changed); }

  private:
    void aim(float x, float y, int width, int height);
    void follow();

    TrackDocument& document_;
    const CatalogState& catalog_;
    AreaEditor& areaEditor_;
    ViewState& view_;
    FrameRenderer& renderer_;
    ViewPort& port_;
    std::unique_ptr<PlacingGroup> group_;
    std::string what_;
    std::optional<GridCell> target_;
    std::vector<BlockRecord> ghost_;
    PlacingCells cells_;
    OccupiedCells occupied_;
    bool occupiedStale_ = true;
    int listener_ = 0;
    int overlay_ = 0;
    int lastWidth_ = 0;
    int lastHeight_ = 0;
    std::function<void()> changed_;
};

// R / T turn the group left / right, M / N mirror it across x / y; true when the key was one.
bool onPlacingKey(PlacingMode& placing, int virtualKey);
