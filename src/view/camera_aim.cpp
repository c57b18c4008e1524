#include "view/camera_aim.h"

#include <algorithm>
#include <cmath>

#include "view/world_grid.h"

void aimCameraAt(Camera& camera, const Box3& box) {
    if (box.empty())
        return;
    const Vec3 centre = (box.lo + box.hi) / 2;
    // The narrower half-angle of the view is 40 degrees; the sphere round the box fits in it.
    const double radius = (box.hi - box.lo).length() / 2;
    const double distance = std::max(radius / std::sin(40.0 * M_PI / 180.0), 2.0 * kCellWidth);
    camera.position = centre - camera.direction.withLength(distance);
}
