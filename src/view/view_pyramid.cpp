#include "view/view_pyramid.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kFarDistance = 5000;
// Half the vertical field of view, 40 degrees.
constexpr double kHalfFieldOfView = 0.6981316672431098;
constexpr double kNearEyeDistance = 75;

double dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

} // namespace

ViewPyramid::ViewPyramid(const Camera& camera, double aspect) : eye_(camera.position) {
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
    for (int i = 0; i < 4; ++i) {
        const Vec3& a = corners[i];
        const Vec3& b = corners[(i + 1) % 4];
        point_[i] = a;
        normal_[i] = (a - eye).cross(b - a);
    }
}

bool ViewPyramid::contains(const Box3& box) const {
    const Vec3 nearest(std::clamp(eye_.x, box.lo.x, box.hi.x),
                       std::clamp(eye_.y, box.lo.y, box.hi.y),
                       std::clamp(eye_.z, box.lo.z, box.hi.z));
    if ((nearest - eye_).length() < kNearEyeDistance)
        return true;
    // Hidden only when every corner lies outside one and the same side.
    for (int i = 0; i < 4; ++i) {
        bool allOutside = true;
        for (int c = 0; c < 8 && allOutside; ++c)
            allOutside = dot(point_[i] - box.corner(c), normal_[i]) >= 0;
        if (allOutside)
            return false;
    }
    return true;
}

bool isBlockInView(const Vec3& point, const Camera& camera, double aspect) {
    Box3 box;
    box.add(point);
    return isBoxInView(box, camera, aspect);
}

bool isBoxInView(const Box3& box, const Camera& camera, double aspect) {
    return ViewPyramid(camera, aspect).contains(box);
}

PickRay pixelRay(const Camera& camera, double aspect, int x, int y, int width, int height) {
    // The frame's eye axes as gluLookAt builds them.
    Vec3 forward = Vec3(camera.direction).normalized();
    Vec3 side = Vec3(forward).cross(camera.up).normalized();
    Vec3 up = Vec3(side).cross(forward);
    const double t = std::tan(kHalfFieldOfView);
    const double ndcX = 2.0 * (x + 0.5) / width - 1.0;
    const double ndcY = 1.0 - 2.0 * (y + 0.5) / height;
    return {camera.position, forward + side * (ndcX * t * aspect) + up * (ndcY * t)};
}
