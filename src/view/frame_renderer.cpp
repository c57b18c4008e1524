#include "view/frame_renderer.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include <GL/gl.h>
#include <GL/glu.h>

#include "view/area_overlays.h"
#include "view/block_placement.h"
#include "view/cell_picking.h"
#include "view/ground.h"
#include "view/scene_drawing.h"
#include "view/view_projection.h"
#include "view/view_pyramid.h"

namespace {

constexpr std::int32_t kStadiumSurroundings = 0;

// FNV-1a over the bytes of a few values.
class Digest {
  public:
    template <typename T> void add(const T& value) {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (unsigned char b : bytes)
            hash_ = (hash_ ^ b) * 1099511628211ull;
    }
    void add(const Vec3& v) {
        add(v.x);
        add(v.y);
        add(v.z);
    }
    std::uint64_t value() const { return hash_; }

  private:
    std::uint64_t hash_ = 14695981039346656037ull;
};

} // namespace

FrameRenderer::FrameRenderer(const TrackDocument& document, const CatalogState& catalog,
                             AreaEditor& areaEditor, ViewState& view, ModelResolver& models,
                             const DisplayLists& lists)
    : document_(document), catalog_(catalog), areaEditor_(areaEditor), view_(view), models_(models),
      lists_(lists), table_(document) {
    listener_ = document_.addListener([this](const DocumentChange& change) { heard(change); });
    frameStatsReset();
}

FrameRenderer::~FrameRenderer() {
    document_.removeListener(listener_);
}

void FrameRenderer::heard(const DocumentChange& change) {
    table_.apply(change);
    chunks_.apply(change);
    if (change.cause == DocumentChange::Cause::Replaced)
        pickTable_.resetPickTable(0);
    if (change.trackChanged()) {
        tintChanged_.clear();
        return;
    }
    tintChanged_.insert(change.entered.begin(), change.entered.end());
    tintChanged_.insert(change.left.begin(), change.left.end());
}

int FrameRenderer::addOverlay(std::function<void()> draw) {
    overlays_.emplace_back(nextOverlay_, std::move(draw));
    return nextOverlay_++;
}

void FrameRenderer::removeOverlay(int id) {
    std::erase_if(overlays_, [id](const auto& overlay) { return overlay.first == id; });
}

void FrameRenderer::drawModelAt(const BlockRecord& record, Rgb colour, float opacity) {
    const std::int32_t model = models_.resolveBlockModel(record);
    const Vec3 anchor = blockAnchor(record, catalog_);
    const bool translucent = opacity < 1.0f;
    if (translucent) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glDepthMask(GL_FALSE);
    }
    glPushMatrix();
    glTranslatef(static_cast<float>(anchor.x), static_cast<float>(anchor.y),
                 static_cast<float>(anchor.z));
    glRotatef(-90.0f * drawnRotation(record), 0, 0, 1);
    glColor4ub(colour.r, colour.g, colour.b, static_cast<GLubyte>(opacity * 255.0f + 0.5f));
    glCallList(lists_.name(model));
    glPopMatrix();
    if (translucent) {
        glDepthMask(GL_TRUE);
        glDisable(GL_BLEND);
    }
    glColor4ub(255, 255, 255, 255);
}

BlockScene FrameRenderer::blockScene() const {
    return BlockScene{table_, catalog_, lists_, view_.levelLimit, tints_};
}

void FrameRenderer::frameStatsReset() {
    ::frameStatsReset(stats_);
}

Rgb FrameRenderer::readPickColour(int x, int y) {
    if (!contextReady_)
        return kPickBackground;
    return ::readPickColour(x, y);
}

Rgb FrameRenderer::pickColourAt(int x, int y) {
    if (!contextReady_)
        return kPickBackground;
    if (fastPaths_)
        pickPixel_ = ScreenPoint{static_cast<float>(x), static_cast<float>(y)};
    renderFrame(false);
    pickPixel_.reset();
    return ::readPickColour(x, y);
}

const BlockRecord* FrameRenderer::blockOfColour(Rgb colour) const {
    return reinterpret_cast<const BlockRecord*>(pickTable_.findPickColour(colour));
}

void FrameRenderer::scissorTo(int x, int y) {
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    glEnable(GL_SCISSOR_TEST);
    glScissor(viewport[0] + x, viewport[1] + viewport[3] - 1 - y, 1, 1);
}

std::uint64_t FrameRenderer::sceneKey(int width, int height) const {
    Digest d;
    d.add(width);
    d.add(height);
    d.add(view_.camera.position);
    d.add(view_.camera.direction);
    d.add(view_.camera.up);
    d.add(view_.aspect);
    const ViewSwitches& s = view_.switches;
    const bool switches[] = {s.solidFill,
                             areaEditor_.editing(),
                             s.showGrid,
                             s.showStadium,
                             s.showMoveGizmo,
                             s.showRotateGizmo,
                             s.showGround,
                             s.topView,
                             view_.levelLimit.has_value()};
    for (bool on : switches)
        d.add(on);
    d.add(view_.levelLimit.value_or(0));
    d.add(tints_ ? tints_->serial : 0);
    d.add(catalog_.currentEnvironment);
    d.add(table_.serial());
    return d.value();
}

void FrameRenderer::renderFrame(bool display) {
    if (!contextReady_)
        return;
    updateCameraFromKeys(view_.camera, view_.keys, view_.leftButtonDown, 1.0);

    // Passes whose pixels nobody sees are read at one pixel only.
    const bool cellPass = areaEditor_.editing() && !cellFound_;
    std::optional<ScreenPoint> onlyPixel = display ? std::nullopt : pickPixel_;
    if (cellPass && fastPaths_)
        onlyPixel = view_.lastPointer;
    if (onlyPixel)
        scissorTo(static_cast<int>(onlyPixel->x), static_cast<int>(onlyPixel->y));
    if (!display && !cellPass)
        pickTable_.resetPickTable(static_cast<int>(document_.blocks().size()));

    // Wireframe only shows the models of display renders; picking and area editing need fills.
    const bool filled = view_.switches.solidFill || !display || areaEditor_.editing();
    glPolygonMode(GL_FRONT_AND_BACK, filled ? GL_FILL : GL_LINE);

    loadViewMatrices(view_);
    // The cell pass draws no block: the render that follows it looks at the blocks.
    if (!cellPass) {
        table_.resolveModels(models_);
        table_.updateVisibility(
            catalog_, [this](std::int32_t model) -> const Box3& { return lists_.bounds(model); },
            cullingCamera(view_), view_.aspect);
    }

    // A display render of the scene last drawn puts that frame back and draws only the overlays.
    std::optional<std::uint64_t> key;
    if (display && !cellPass && fastPaths_) {
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        key = sceneKey(viewport[2], viewport[3]);
    }
    // The gizmos of the selection are drawn with the blocks, into the kept frame: a frame with
    // a new selection may use it only while they are hidden.
    const bool sameTints = tintChanged_.empty();
    const bool tintsMayChange = !view_.switches.showMoveGizmo && !view_.switches.showRotateGizmo;
    const bool restored = key && (sameTints || tintsMayChange) && saved_.restore(*key);
    const BlockScene scene = blockScene();
    if (restored && sameTints)
        ++framesReused_;
    else if (restored) {
        redrawTints(scene, {tintChanged_.begin(), tintChanged_.end()},
                    batched_ && !chunks_.failed() ? BlockDrawing::Chunks : BlockDrawing::Lists);
        saved_.save(*key);
        tintChanged_.clear();
        ++framesRetinted_;
    } else {
        glClearColor(0.7f, 0.7f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    glEnable(GL_DEPTH_TEST);

    // The axes are drawn in handle colours: in a render that is read back they would be taken
    // for handles.
    if (display && !cellPass && !restored) {
        drawAxis(0);
        drawAxis(1);
        drawAxis(2);
    }

    if (cellPass) {
        drawCellPickPlane(pickTable_, areaEditor_.level());
        areaEditor_.setCursor(pickCell(pickTable_, static_cast<int>(view_.lastPointer.x),
                                       static_cast<int>(view_.lastPointer.y)));
        cellFound_ = true;
    } else {
        if (!restored) {
            drawScene(display);
            if (key) {
                saved_.save(*key);
                tintChanged_.clear();
            }
        }
        drawOverlays(display);
    }
    if (onlyPixel)
        glDisable(GL_SCISSOR_TEST);

    frameStatsTick(stats_);
    if (display && !cellFound_ && present_)
        present_();
    if (cellFound_)
        renderFrame(true);
}

void FrameRenderer::drawScene(bool display) {
    const bool stadium = catalog_.currentEnvironment == kStadium;
    if (display) {
        if (view_.switches.showStadium && stadium)
            glCallList(lists_.name(kStadiumSurroundings));
        if (stadium)
            drawStadiumBorder();
        if (view_.switches.showGround)
            ground_.draw(document_, catalog_, table_.serial(), view_.levelLimit);
        if (view_.switches.showGrid)
            drawGrid(0);
    }
    std::optional<PickRay> ray;
    if (pickPixel_ && !display) {
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        ray = viewRay(view_, static_cast<int>(pickPixel_->x), static_cast<int>(pickPixel_->y),
                      viewport[2], viewport[3]);
    }
    const BlockScene scene = blockScene();
    const BlockDrawing drawing = display ? displayDrawing() : BlockDrawing::Lists;
    if (drawing == BlockDrawing::Chunks)
        chunks_.draw(cullingCamera(view_), view_.aspect,
                     view_.switches.solidFill || areaEditor_.editing());
    drawBlocks(scene, pickTable_, document_.selection(), view_.switches, display, drawing,
               fastPaths_ ? std::optional<Vec3>(view_.camera.position) : std::nullopt, ray);
}

BlockDrawing FrameRenderer::displayDrawing() {
    if (!fastPaths_)
        return BlockDrawing::Placed;
    Digest look;
    look.add(view_.levelLimit.has_value());
    look.add(view_.levelLimit.value_or(0));
    look.add(tints_);
    look.add(tints_ ? tints_->serial : 0);
    look.add(catalog_.currentEnvironment);
    if (look.value() != chunksLook_) {
        chunksLook_ = look.value();
        chunks_.invalidate();
    }
    if (!batched_ || chunks_.failed())
        return BlockDrawing::Lists;
    if (!chunks_.update(blockScene())) {
        if (statusMessage_)
            statusMessage_("Not enough memory to draw the blocks in batches: they are drawn one by "
                           "one");
        return BlockDrawing::Lists;
    }
    return BlockDrawing::Chunks;
}

void FrameRenderer::drawOverlays(bool display) {
    if (display) {
        for (const auto& overlay : overlays_)
            overlay.second();
        drawAreaOverlay(areaEditor_.area());
    }
    if (areaEditor_.editing()) {
        const AreaCursor cursor = areaEditor_.cursor();
        if (cursor.x != -1 && cursor.y != -1)
            drawAreaCursor(cursor.x, cursor.y, areaEditor_.level());
        cellFound_ = false;
    }
    if (frameRateText_) {
        char text[64];
        std::snprintf(text, sizeof text, "FPS: %.2f", framesPerSecond(stats_));
        frameRateText_(text);
    }
}
