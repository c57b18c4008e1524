#pragma once

#include "edit/area_editor.h"
#include "edit/track_document.h"
#include "seams/view_port.h"
#include "view/view_state.h"

// Virtual-key codes of the view's keys.
enum ViewKey : int {
    kKeyA = 0x41,
    kKeyD = 0x44,
    kKeyE = 0x45,
    kKeyF = 0x46,
    kKeyG = 0x47,
    kKeyJ = 0x4A,
    kKeyK = 0x4B,
    kKeyL = 0x4C,
    kKeyM = 0x4D,
    kKeyN = 0x4E,
    kKeyQ = 0x51,
    kKeyR = 0x52,
    kKeyS = 0x53,
    kKeyT = 0x54,
    kKeyV = 0x56,
    kKeyW = 0x57,
    kKeyX = 0x58,
    kKeyZ = 0x5A,
};

// Radians per pixel of a drag with the left button held.
inline constexpr float kDragTurnFactor = 0.005f;
inline constexpr float kDragPitchFactor = 0.002f;

// Input of the 3D view. Positions are view pixels, origin top left, already scaled by the device
// pixel ratio. None of these draws: whoever handles the input asks for one frame afterwards.

// Starts a press: the position is kept to tell a click from a drag.
void onLeftButtonDown(ViewState& view, float x, float y);
// A release on the exact press pixel is a click: an area click while area editing is on,
// otherwise a pick through the port. A release elsewhere ends a drag.
void onLeftButtonUp(ViewState& view, TrackDocument& document, AreaEditor& areaEditor,
                    ViewPort& port, float x, float y);
// With the left button held, turns and pitches the camera by the distance moved.
void onMouseMove(ViewState& view, float x, float y);
// While area editing is on, raises (delta above 0) or lowers (below 0) the cursor level within
// 0..31.
void onWheel(AreaEditor& areaEditor, int delta);
// Steps the cursor level by one within 0..31; the levels shown, when limited, follow it.
void stepLevel(ViewState& view, AreaEditor& areaEditor, int delta);
// Shows only the levels up to the cursor level (the blocks above are neither drawn nor picked),
// or every level again.
void showLevelsUpToCursor(ViewState& view, const AreaEditor& areaEditor, bool on);
// J / K step the cursor level down / up, L shows the levels up to it or all again; true when the
// key was one of these.
bool onLevelKey(ViewState& view, AreaEditor& areaEditor, int virtualKey);
// Key press, auto-repeats included: camera keys are held, F is held, X, Z and V (the top view)
// toggle.
void onKeyDown(ViewState& view, int virtualKey);
// Key release: camera keys and F are let go, G toggles the grid.
void onKeyUp(ViewState& view, int virtualKey);
// The left button's release went elsewhere: a drag ends, without a click.
void onLeftButtonLost(ViewState& view);
// The view has a new size in pixels: the projection and the visibility test follow its aspect.
void onViewResized(ViewState& view, int width, int height);
// Puts the camera back where a new editor starts.
void resetCamera(ViewState& view);
// The view lost the keyboard focus: every held key and the left button are let go, since their
// releases go elsewhere.
void onFocusLost(ViewState& view);
