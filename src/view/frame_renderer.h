#pragma once

#include <functional>
#include <optional>

#include "assets/display_lists.h"
#include "edit/editor_context.h"
#include "seams/view_port.h"
#include "view/frame_stats.h"
#include "view/saved_frame.h"

// Draws the 3D view into the GL context and framebuffer that the caller has made current. The
// viewport is left as the caller set it: the view's whole size.
class FrameRenderer : public ViewPort {
  public:
    FrameRenderer(EditorContext& ctx, const DisplayLists& lists);

    // Frames asked for before the GL context exists draw nothing at all.
    void setContextReady(bool ready) { contextReady_ = ready; }
    bool contextReady() const { return contextReady_; }
    // Shows a finished display render (the buffer swap of a window).
    void setPresent(std::function<void()> present) { present_ = std::move(present); }

    // One frame: a display render, or a picking render whose block colours go into the pick
    // table. In area editing a display render first picks the cell under the pointer and then
    // draws the scene with the cursor in a second, nested render.
    void renderFrame(bool display) override;
    Rgb readPickColour(int x, int y) override;
    // With the fast paths on, the picking render covers only that pixel (scissored, drawing only
    // the blocks whose box the pixel's ray meets); the colour read is the same either way.
    Rgb pickColourAt(int x, int y) override;

    // Off, every frame is drawn the straightforward way: blocks in list order, picking renders
    // over the whole view, every display render drawn afresh. On, a display render whose scene
    // is the one drawn last puts that frame back and draws only the overlays. The picture is the
    // same, ties between coplanar faces aside.
    void setFastPaths(bool on) { fastPaths_ = on; }
    // Display renders so far that put the last frame back instead of drawing the scene.
    int framesReused() const { return framesReused_; }

    void frameStatsReset();
    const FrameStats& frameStats() const { return stats_; }
    FrameStats& frameStats() { return stats_; }

  private:
    // What a frame draws before its overlays: the fixed scene and the blocks.
    void drawScene(bool display);
    // The area and its cursor, and the frame-rate text.
    void drawOverlays(bool display);
    // Limits the following clear and drawing to one view pixel.
    static void scissorTo(int x, int y);

    EditorContext& ctx_;
    const DisplayLists& lists_;
    bool contextReady_ = false;
    bool fastPaths_ = true;
    SavedFrame saved_;
    int framesReused_ = 0;
    // The pixel the picking render under way is read at, when only that pixel is drawn.
    std::optional<ScreenPoint> pickPixel_;
    std::function<void()> present_;
    FrameStats stats_;
};
