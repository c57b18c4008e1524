#include "view/view_projection.h"

#include <algorithm>
#include <cmath>

#include "view/world_grid.h"

namespace {

// Half the vertical field of view of the perspective, 40 degrees, as its tangent.
const double kHalfFieldTangent = std::tan(0.6981316672431098);
// The top view's eye stands above every level and sees down to below the lowest.
constexpr double kTopEyeHeight = 1000;
constexpr double kHighestLevelTop = 33 * kLevelHeight;
// The top view never shrinks to less than a few cells across.
constexpr double kLeastHalfHeight = 2 * kCellWidth;

} // namespace

Camera topViewEye(const Camera& camera) {
    Vec3 heading(camera.direction.x, camera.direction.y, 0);
    // Looking straight down, the camera's up vector says where it is heading.
    if (std::abs(heading.x) + std::abs(heading.y) < 1e-6)
        heading = Vec3(camera.up.x, camera.up.y, 0);
    const Vec3 up = std::abs(heading.x) > std::abs(heading.y) ? Vec3(heading.x > 0 ? 1 : -1, 0, 0)
                                                              : Vec3(0, heading.y >= 0 ? 1 : -1, 0);
    return Camera(Vec3(camera.position.x, camera.position.y, kTopEyeHeight), Vec3(0, 0, -1), up);
}

double topViewHalfHeight(const Camera& camera) {
    return std::max(camera.position.z * kHalfFieldTangent, kLeastHalfHeight);
}

PickRay viewRay(const ViewState& view, int x, int y, int width, int height) {
    if (!view.switches.topView)
        return pixelRay(view.camera, view.aspect, x, y, width, height);
    const Camera eye = topViewEye(view.camera);
    const Vec3 side = Vec3(eye.direction).cross(eye.up);
    const double half = topViewHalfHeight(view.camera);
    const double ndcX = 2.0 * (x + 0.5) / width - 1.0;
    const double ndcY = 1.0 - 2.0 * (y + 0.5) / height;
    return {eye.position + side * (ndcX * half * view.aspect) + eye.up * (ndcY * half),
            eye.direction};
}

std::optional<GridCell> cellOnLevel(const PickRay& ray, int level) {
    const double plane = level * static_cast<double>(kLevelHeight) - kLevelHeight - kLevelOffset;
    if (std::abs(ray.direction.z) < 1e-9)
        return std::nullopt;
    const double t = (plane - ray.origin.z) / ray.direction.z;
    if (t <= 0)
        return std::nullopt;
    const double x = std::floor(-(ray.origin.x + ray.direction.x * t) / kCellWidth);
    const double y = std::floor((ray.origin.y + ray.direction.y * t) / kCellWidth);
    const auto fits = [](double v) { return v >= -128 && v <= 127; };
    if (!fits(x) || !fits(y) || !fits(level))
        return std::nullopt;
    return GridCell{static_cast<std::int8_t>(x), static_cast<std::int8_t>(y),
                    static_cast<std::int8_t>(level)};
}

Camera cullingCamera(const ViewState& view) {
    if (!view.switches.topView)
        return view.camera;
    Camera eye = topViewEye(view.camera);
    // At this height the pyramid's section at the highest level is the top view's box.
    eye.position.z = kHighestLevelTop + topViewHalfHeight(view.camera) / kHalfFieldTangent;
    return eye;
}
