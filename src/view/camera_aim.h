#pragma once

#include "math/box3.h"
#include "view/camera.h"

// Brings the camera to the box: it keeps looking the way it looks and steps back from the box's
// centre until the whole box fits in the view's 80-degree field, and never closer than two cells.
void aimCameraAt(Camera& camera, const Box3& box);
