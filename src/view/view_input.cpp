#include "view/view_input.h"

#include "edit/pick.h"

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

void onLeftButtonDown(ViewState& view, float x, float y) {
    view.leftButtonDown = true;
    view.lastPointer = {x, y};
    view.pressPointer = {x, y};
}

void onLeftButtonUp(ViewState& view, TrackDocument& document, AreaEditor& areaEditor,
                    ViewPort& port, float x, float y) {
    // A release without a press in the view ends nothing, whatever the last press position.
    bool pressed = view.leftButtonDown;
    view.leftButtonDown = false;
    if (!pressed || x != view.pressPointer.x || y != view.pressPointer.y)
        return;
    if (areaEditor.editing())
        areaEditor.clickAtCursor(view.fKeyDown);
    else
        pickAt(document, port, x, y, view.fKeyDown);
}

void onMouseMove(ViewState& view, float x, float y) {
    if (view.leftButtonDown) {
        float turnAngle = (view.lastPointer.x - x) * kDragTurnFactor;
        float pitchAngle = (view.lastPointer.y - y) * kDragPitchFactor;
        view.camera.turn(turnAngle);
        view.camera.pitch(pitchAngle);
    }
    view.lastPointer = {x, y};
}

void onWheel(AreaEditor& areaEditor, int delta) {
    // A wheel event without vertical movement (a sideways tilt) leaves the level alone.
    if (areaEditor.editing() && delta != 0)
        areaEditor.setLevel(areaEditor.level() + (delta > 0 ? 1 : -1));
}

void onKeyDown(ViewState& view, int virtualKey) {
    if (bool* held = cameraKeyFlag(view.keys, virtualKey))
        *held = true;
    else if (virtualKey == kKeyF)
        view.fKeyDown = true;
    else if (virtualKey == kKeyX)
        view.switches.showStadium = !view.switches.showStadium;
    else if (virtualKey == kKeyZ)
        view.switches.solidFill = !view.switches.solidFill;
    else if (virtualKey == kKeyV)
        view.switches.topView = !view.switches.topView;
}

void stepLevel(ViewState& view, AreaEditor& areaEditor, int delta) {
    areaEditor.setLevel(areaEditor.level() + delta);
    if (view.levelLimit)
        view.levelLimit = areaEditor.level();
}

void showLevelsUpToCursor(ViewState& view, const AreaEditor& areaEditor, bool on) {
    view.levelLimit = on ? std::optional<int>(areaEditor.level()) : std::nullopt;
}

bool onLevelKey(ViewState& view, AreaEditor& areaEditor, int virtualKey) {
    if (virtualKey == kKeyJ || virtualKey == kKeyK)
        stepLevel(view, areaEditor, virtualKey == kKeyK ? 1 : -1);
    else if (virtualKey == kKeyL)
        showLevelsUpToCursor(view, areaEditor, !view.levelLimit);
    else
        return false;
    return true;
}

void onKeyUp(ViewState& view, int virtualKey) {
    if (bool* held = cameraKeyFlag(view.keys, virtualKey))
        *held = false;
    else if (virtualKey == kKeyF)
        view.fKeyDown = false;
    else if (virtualKey == kKeyG)
        view.switches.showGrid = !view.switches.showGrid;
}

void onLeftButtonLost(ViewState& view) {
    view.leftButtonDown = false;
}

void onViewResized(ViewState& view, int width, int height) {
    if (width <= 0 || height <= 0)
        return;
    view.aspect = static_cast<double>(width) / height;
}

void resetCamera(ViewState& view) {
    view.camera = Camera{};
}

void onFocusLost(ViewState& view) {
    view.keys = CameraKeys{};
    view.fKeyDown = false;
    onLeftButtonLost(view);
}
