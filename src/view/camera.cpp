#include "view/camera.h"

namespace {
const double kTurnStep = static_cast<double>(0.03f);
constexpr double kMoveStep = 10.0;
} // namespace

void Camera::turn(double angle) {
    const Vec3 vertical(0, 0, 1);
    direction.rotated(vertical, angle, 1);
    up.rotated(vertical, angle, 1);
}

void Camera::pitch(double angle) {
    Vec3 axis = direction;
    axis.cross(up, 1);
    direction.rotated(axis, angle, 1);
    up.rotated(axis, angle, 1);
}

void Camera::roll(double angle) { up.rotated(direction, angle, 1); }

void Camera::moveForward(double distance) { position += direction * distance; }

void Camera::moveSideways(double distance) {
    Vec3 side = direction;
    position += side.cross(up) * distance;
}

void Camera::moveUp(double distance) { position += up * distance; }

void Camera::translate(const Vec3& offset) { position += offset; }

void updateCameraFromKeys(Camera& camera, const CameraKeys& keys, bool leftButtonDown,
                          double factor) {
    if (keys.forward)
        camera.moveForward(kMoveStep * factor);
    if (keys.backward)
        camera.moveForward(-kMoveStep * factor);
    if (keys.left) {
        if (leftButtonDown)
            camera.moveSideways(-kMoveStep * factor);
        else
            camera.turn(kTurnStep * factor);
    }
    if (keys.right) {
        if (leftButtonDown)
            camera.moveSideways(kMoveStep * factor);
        else
            camera.turn(-kTurnStep * factor);
    }
    if (keys.rollLeft)
        camera.roll(-kTurnStep * factor);
    if (keys.rollRight)
        camera.roll(kTurnStep * factor);
}
