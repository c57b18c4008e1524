#pragma once

#include <functional>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "assets/display_lists.h"
#include "catalog/catalog.h"
#include "edit/area_editor.h"
#include "edit/track_document.h"
#include "seams/model_resolver.h"
#include "seams/view_port.h"
#include "view/block_pass.h"
#include "view/block_table.h"
#include "view/block_tints.h"
#include "view/chunk_table.h"
#include "view/frame_stats.h"
#include "view/ground.h"
#include "view/pick_table.h"
#include "view/saved_frame.h"
#include "view/view_state.h"

// Draws the 3D view into the GL context and framebuffer that the caller has made current. The
// viewport is left as the caller set it: the view's whole size. It follows the document's
// notifications for what it keeps about the blocks (their models, whether they are in view, the
// kept frame), and finds the area cursor for the area editor.
class FrameRenderer : public ViewPort {
  public:
    FrameRenderer(const TrackDocument& document, const CatalogState& catalog,
                  AreaEditor& areaEditor, ViewState& view, ModelResolver& models,
                  const DisplayLists& lists);
    ~FrameRenderer() override;
    FrameRenderer(const FrameRenderer&) = delete;
    FrameRenderer& operator=(const FrameRenderer&) = delete;

    // Frames asked for before the GL context exists draw nothing at all.
    void setContextReady(bool ready) { contextReady_ = ready; }
    bool contextReady() const { return contextReady_; }
    // Shows a finished display render (the buffer swap of a window).
    void setPresent(std::function<void()> present) { present_ = std::move(present); }
    // Where the frame rate goes after each frame ("FPS: 12.34").
    void setFrameRateText(std::function<void(const std::string&)> show) {
        frameRateText_ = std::move(show);
    }
    // Where a message for the status line goes (batched drawing given up for lack of memory).
    void setStatusMessage(std::function<void(const std::string&)> show) {
        statusMessage_ = std::move(show);
    }

    // One frame: a display render, or a picking render whose block colours go into the pick
    // table. In area editing a display render first picks the cell under the pointer and then
    // draws the scene with the cursor in a second, nested render.
    void renderFrame(bool display) override;
    Rgb readPickColour(int x, int y) override;
    // With the fast paths on, the picking render covers only that pixel (scissored, drawing only
    // the blocks whose box the pixel's ray meets); the colour read is the same either way.
    Rgb pickColourAt(int x, int y) override;
    const BlockRecord* blockOfColour(Rgb colour) const override;

    // Gives every block without one its model now; the GL context must be current.
    void resolveModels() { table_.resolveModels(models_); }

    // Off, every frame is drawn the straightforward way: blocks in list order, each placed on its
    // own, picking renders over the whole view, every display render drawn afresh. On, a display
    // render draws the blocks by chunks (chunk_table.h), or by lists nearest first when GL has no
    // memory for the chunks; a display render whose scene is the one drawn last puts that frame
    // back and draws only the overlays; one that differs from it only in the selection (gizmos
    // hidden) puts it back and draws again the blocks whose tint changed. The picture is the
    // same, ties between coplanar faces aside.
    void setFastPaths(bool on) { fastPaths_ = on; }
    // Off, the fast paths draw block by block, nearest first, as when the chunks lack memory.
    void setBatchedDrawing(bool on) { batched_ = on; }
    // Display renders so far that put the last frame back instead of drawing the scene.
    int framesReused() const { return framesReused_; }
    // Of the others, those that put it back and drew only the blocks whose tint changed.
    int framesRetinted() const { return framesRetinted_; }

    // The colour the ground of the environment is drawn in.
    void setGroundColour(int environment, Rgb colour) { ground_.setColour(environment, colour); }
    // Tints some blocks (see BlockTints); null for none. The tints must outlive their use here.
    void setBlockTints(const BlockTints* tints) { tints_ = tints; }
    // Something drawn over the blocks in display renders only: never into a picking render nor
    // into the kept frame. It is called with the camera's matrices set and depth testing on.
    int addOverlay(std::function<void()> draw);
    void removeOverlay(int id);
    // Draws the model of a block that need not be in the document, at its place and turn,
    // multiplied by the colour and with the given opacity. For overlays; the context is current.
    void drawModelAt(const BlockRecord& record, Rgb colour, float opacity);

    void frameStatsReset();
    const FrameStats& frameStats() const { return stats_; }
    FrameStats& frameStats() { return stats_; }
    const BlockTable& blockTable() const { return table_; }
    const ChunkTable& chunkTable() const { return chunks_; }
    const PickTable& pickTable() const { return pickTable_; }

  private:
    void heard(const DocumentChange& change);
    // What the kept frame stands for: the view's size, camera and switches and the blocks.
    std::uint64_t sceneKey(int width, int height) const;
    // What a frame draws before its overlays: the fixed scene and the blocks.
    void drawScene(bool display);
    // The area and its cursor, and the frame-rate text.
    void drawOverlays(bool display);
    BlockScene blockScene() const;
    // How the display render under way draws its blocks; builds the chunks it needs first.
    BlockDrawing displayDrawing();
    // Limits the following clear and drawing to one view pixel.
    static void scissorTo(int x, int y);

    const TrackDocument& document_;
    const CatalogState& catalog_;
    AreaEditor& areaEditor_;
    ViewState& view_;
    ModelResolver& models_;
    const DisplayLists& lists_;
    BlockTable table_;
    ChunkTable chunks_;
    // What every block's look in the chunks depends on beside the blocks themselves.
    std::uint64_t chunksLook_ = 0;
    PickTable pickTable_;
    Ground ground_;
    const BlockTints* tints_ = nullptr;
    std::vector<std::pair<int, std::function<void()>>> overlays_;
    int nextOverlay_ = 1;
    int listener_ = 0;
    bool contextReady_ = false;
    bool fastPaths_ = true;
    bool batched_ = true;
    // Set between the area cursor's cell pass and the display render it leads to.
    bool cellFound_ = false;
    SavedFrame saved_;
    // Blocks that came into or left the selection since the kept frame was drawn.
    std::unordered_set<const BlockRecord*> tintChanged_;
    int framesReused_ = 0;
    int framesRetinted_ = 0;
    // The pixel the picking render under way is read at, when only that pixel is drawn.
    std::optional<ScreenPoint> pickPixel_;
    std::function<void()> present_;
    std::function<void(const std::string&)> frameRateText_;
    std::function<void(const std::string&)> statusMessage_;
    FrameStats stats_;
};
