#include "view/frame_renderer.h"

#include <cstdio>

#include <GL/gl.h>
#include <GL/glu.h>

#include "seams/panels.h"
#include "view/area_overlays.h"
#include "view/block_pass.h"
#include "view/cell_picking.h"
#include "view/scene_drawing.h"
#include "view/scene_signature.h"
#include "view/view_pyramid.h"

namespace {
constexpr std::int32_t kStadiumSurroundings = 0;
}

FrameRenderer::FrameRenderer(EditorContext& ctx, const DisplayLists& lists)
    : ctx_(ctx), lists_(lists) {
    frameStatsReset();
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

void FrameRenderer::scissorTo(int x, int y) {
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    glEnable(GL_SCISSOR_TEST);
    glScissor(viewport[0] + x, viewport[1] + viewport[3] - 1 - y, 1, 1);
}

void FrameRenderer::renderFrame(bool display) {
    if (!contextReady_)
        return;
    updateCameraFromKeys(ctx_.viewCamera, ctx_.cameraKeys, ctx_.leftButtonDown, 1.0);

    // Passes whose pixels nobody sees are read at one pixel only.
    const bool cellPass = ctx_.areaEditState == 1;
    std::optional<ScreenPoint> onlyPixel = display ? std::nullopt : pickPixel_;
    if (cellPass && fastPaths_)
        onlyPixel = ctx_.lastPointer;
    if (onlyPixel)
        scissorTo(static_cast<int>(onlyPixel->x), static_cast<int>(onlyPixel->y));

    // Wireframe only shows the models of display renders; picking and area editing need fills.
    const bool filled = ctx_.solidFill || !display || ctx_.areaEditState != 0;
    glPolygonMode(GL_FRONT_AND_BACK, filled ? GL_FILL : GL_LINE);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(80, ctx_.viewAspect, 5, 5000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    ctx_.viewCamera.look();
    // The cell pass draws no block: the render that follows it looks at the change.
    if (ctx_.viewChanged && !cellPass) {
        updateBlocksInView(ctx_, lists_);
        ctx_.viewChanged = false;
    }

    // A display render of the scene last drawn puts that frame back and draws only the overlays.
    std::optional<std::uint64_t> signature;
    if (display && !cellPass && fastPaths_) {
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        signature = sceneSignature(ctx_, viewport[2], viewport[3]);
    }
    const bool restored = signature && saved_.restore(*signature);
    if (restored)
        ++framesReused_;
    else {
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
        drawCellPickPlane(ctx_.pickTable, ctx_.cursorLevel);
        pickCell(ctx_, static_cast<int>(ctx_.lastPointer.x), static_cast<int>(ctx_.lastPointer.y));
        if (ctx_.panels)
            ctx_.panels->refreshCursorPosition();
        ctx_.areaEditState = 2;
    } else {
        if (!restored) {
            drawScene(display);
            if (signature)
                saved_.save(*signature);
        }
        drawOverlays(display);
    }
    if (onlyPixel)
        glDisable(GL_SCISSOR_TEST);

    frameStatsTick(stats_);
    if (display && ctx_.areaEditState != 2 && present_)
        present_();
    if (ctx_.areaEditState == 2)
        renderFrame(true);
}

void FrameRenderer::drawScene(bool display) {
    const bool stadium = ctx_.catalog.currentEnvironment == kStadium;
    if (display) {
        if (ctx_.showStadium && stadium)
            glCallList(lists_.name(kStadiumSurroundings));
        if (stadium)
            drawStadiumBorder();
        if (ctx_.showGrid)
            drawGrid(0);
    }
    std::optional<PickRay> ray;
    if (pickPixel_ && !display) {
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        ray = pixelRay(ctx_.viewCamera, ctx_.viewAspect, static_cast<int>(pickPixel_->x),
                       static_cast<int>(pickPixel_->y), viewport[2], viewport[3]);
    }
    drawBlocks(ctx_, lists_, display, fastPaths_, ray);
}

void FrameRenderer::drawOverlays(bool display) {
    if (display)
        drawAreaOverlay(ctx_.area);
    if (ctx_.areaEditState != 0) {
        if (ctx_.areaCursor.x != -1 && ctx_.areaCursor.y != -1)
            drawAreaCursor(ctx_.areaCursor.x, ctx_.areaCursor.y, ctx_.cursorLevel);
        ctx_.areaEditState = 1;
    }
    if (ctx_.panels) {
        char text[64];
        std::snprintf(text, sizeof text, "FPS: %.2f", framesPerSecond(stats_));
        ctx_.panels->setFrameRateText(text);
    }
}
