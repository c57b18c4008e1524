#include "edit/view_input.h"

#include "edit/area_blocks.h"
#include "edit/pick.h"
#include "edit/seam_calls.h"

namespace {

// The held-key flag of a camera key, or none for other keys.
bool* cameraKeyFlag(CameraKeys& keys, int virtualKey) {
    switch (virtualKey) {
    case kKeyW:
        return &keys.forward;
    case kKeyS:
        return &keys.backward;
    case kKeyA:
        return &keys.left;
    case kKeyD:
        return &keys.right;
    case kKeyQ:
        return &keys.rollLeft;
    case kKeyE:
        return &keys.rollRight;
    default:
        return nullptr;
    }
}

} // namespace

void onLeftButtonDown(EditorContext& ctx, float x, float y) {
    ctx.leftButtonDown = true;
    ctx.lastPointer = {x, y};
    ctx.pressPointer = {x, y};
}

void onLeftButtonUp(EditorContext& ctx, float x, float y) {
    // A release without a press in the view ends nothing, whatever the last press position.
    bool pressed = ctx.leftButtonDown;
    ctx.leftButtonDown = false;
    if (!pressed || x != ctx.pressPointer.x || y != ctx.pressPointer.y)
        return;
    if (ctx.areaEditState != 0)
        areaClick(ctx);
    else
        pickAt(ctx, x, y);
}

void onMouseMove(EditorContext& ctx, float x, float y) {
    if (ctx.leftButtonDown) {
        float turnAngle = (ctx.lastPointer.x - x) * kDragTurnFactor;
        float pitchAngle = (ctx.lastPointer.y - y) * kDragPitchFactor;
        ctx.viewCamera.turn(turnAngle);
        ctx.viewCamera.pitch(pitchAngle);
        ctx.viewChanged = true;
    }
    ctx.lastPointer = {x, y};
    displayFrame(ctx);
}

void onWheel(EditorContext& ctx, int delta) {
    // A wheel event without vertical movement (a sideways tilt) leaves the level alone.
    if (ctx.areaEditState != 0 && delta != 0) {
        int level = ctx.cursorLevel + (delta > 0 ? 1 : -1);
        if (level < 0)
            level = 0;
        if (level > kGridSize - 1)
            level = kGridSize - 1;
        ctx.cursorLevel = static_cast<std::int8_t>(level);
    }
    displayFrame(ctx);
}

void onKeyDown(EditorContext& ctx, int virtualKey) {
    if (bool* held = cameraKeyFlag(ctx.cameraKeys, virtualKey)) {
        *held = true;
        ctx.viewChanged = true;
    } else if (virtualKey == kKeyF) {
        ctx.fKeyDown = true;
    } else if (virtualKey == kKeyX) {
        ctx.showStadium = !ctx.showStadium;
    } else if (virtualKey == kKeyZ) {
        ctx.solidFill = !ctx.solidFill;
    }
    displayFrame(ctx);
}

void onKeyUp(EditorContext& ctx, int virtualKey) {
    if (bool* held = cameraKeyFlag(ctx.cameraKeys, virtualKey))
        *held = false;
    else if (virtualKey == kKeyF)
        ctx.fKeyDown = false;
    else if (virtualKey == kKeyG)
        ctx.showGrid = !ctx.showGrid;
    displayFrame(ctx);
}

void onLeftButtonLost(EditorContext& ctx) {
    ctx.leftButtonDown = false;
}

void onViewResized(EditorContext& ctx, int width, int height) {
    if (width <= 0 || height <= 0)
        return;
    ctx.viewAspect = static_cast<double>(width) / height;
    ctx.viewChanged = true;
    displayFrame(ctx);
}

void resetCamera(EditorContext& ctx) {
    ctx.viewCamera = Camera{};
    ctx.viewChanged = true;
    displayFrame(ctx);
}

void onFocusLost(EditorContext& ctx) {
    ctx.cameraKeys = CameraKeys{};
    ctx.fKeyDown = false;
    onLeftButtonLost(ctx);
}
