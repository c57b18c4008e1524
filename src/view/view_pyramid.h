#pragma once

#include "math/vec3.h"
#include "view/camera.h"

// Whether a point lies inside the pyramid of the view (apex at the eye, 80 degrees high, as wide
// as aspect makes it; near and far are not tested), or within 75 units of the eye.
bool isBlockInView(const Vec3& point, const Camera& camera, double aspect);
