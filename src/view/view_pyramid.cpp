#include "view/view_pyramid.h"

#include <cmath>

namespace {
constexpr double kFarDistance = 5000;
// Half the vertical field of view, 40 degrees.
constexpr double kHalfFieldOfView = 0.6981316672431098;
constexpr double kNearEyeDistance = 75;
} // namespace

bool isBlockInView(const Vec3& point, const Camera& camera, double aspect) {
    Vec3 forward = Vec3(camera.direction).normalized();
    Vec3 up = Vec3(camera.up).normalized();
    const Vec3& eye = camera.position;

    Vec3 baseCentre = eye + forward * kFarDistance * static_cast<double>(0.99f);
    const double t = std::tan(kHalfFieldOfView);
    Vec3 halfHeight = up * (t * kFarDistance);
    Vec3 halfWidth = Vec3(up).cross(forward) * (t * aspect * kFarDistance);

    const Vec3 corners[4] = {
        baseCentre + halfHeight + halfWidth, baseCentre + halfHeight - halfWidth,
        baseCentre - halfHeight - halfWidth, baseCentre - halfHeight + halfWidth};
    bool inside = true;
    for (int i = 0; i < 4 && inside; ++i) {
        const Vec3& a = corners[i];
        const Vec3& b = corners[(i + 1) % 4];
        Vec3 normal = (a - eye).cross(b - a);
        inside = (a - point).angleTo(normal) > 1.5707963;
    }
    return inside || (point - eye).length() < kNearEyeDistance;
}
