#pragma once

#include <optional>

#include "view/camera.h"

struct ScreenPoint {
    float x = 0;
    float y = 0;
};

// The view's switches, toggled by its keys and the pages' buttons.
struct ViewSwitches {
    bool solidFill = true;
    bool showGrid = false;
    bool showStadium = false;
    bool showMoveGizmo = false;
    bool showRotateGizmo = false;
    // The environment's ground wherever no terrain block stands.
    bool showGround = true;
    // An orthographic camera looking straight down, grid-aligned.
    bool topView = false;
    bool operator==(const ViewSwitches&) const = default;
};

// What the 3D view shows from and how its input stands: the camera, the held keys, the switches,
// the aspect and the pointer. The view owns it; the renderer reads it.
struct ViewState {
    Camera camera;
    CameraKeys keys;
    ViewSwitches switches;
    double aspect = 584.0 / 571.0;
    // Blocks above this level are neither drawn nor picked, so that inner levels can be reached.
    std::optional<int> levelLimit;

    ScreenPoint lastPointer;
    ScreenPoint pressPointer;
    bool leftButtonDown = false;
    bool fKeyDown = false;
};
