#pragma once

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
    bool operator==(const ViewSwitches&) const = default;
};

// What the 3D view shows from and how its input stands: the camera, the held keys, the switches,
// the aspect and the pointer. The view owns it; the renderer reads it.
struct ViewState {
    Camera camera;
    CameraKeys keys;
    ViewSwitches switches;
    double aspect = 584.0 / 571.0;

    ScreenPoint lastPointer;
    ScreenPoint pressPointer;
    bool leftButtonDown = false;
    bool fKeyDown = false;
};
