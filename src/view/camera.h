#pragma once

#include "math/vec3.h"

// The free-flying eye of the 3D view. Z is up.
class Camera {
public:
    Vec3 position{0, 0, 320};
    Vec3 direction{-0.5773502795520422, 0.5773502795520422, -0.5773502795520422};
    Vec3 up{-0.40824831534341766, 0.40824831534341766, 0.8164965816086519};

    Camera() = default;
    Camera(const Vec3& position, const Vec3& direction, const Vec3& up)
        : position(position), direction(direction), up(up) {}

    // About the world vertical axis; positive turns left as seen from above.
    void turn(double angle);
    // About direction x up; positive tilts the view upward.
    void pitch(double angle);
    // Turns up about direction; positive rolls toward the right-hand side.
    void roll(double angle);
    void moveForward(double distance);
    void moveSideways(double distance);
    void moveUp(double distance);
    void translate(const Vec3& offset);
    // Loads the view transform with gluLookAt; the caller has loaded the identity.
    void look() const;
};

// Camera keys held in the view, each true from its key-down to its key-up.
struct CameraKeys {
    bool forward = false;
    bool backward = false;
    bool left = false;
    bool right = false;
    bool rollLeft = false;
    bool rollRight = false;
};

// The fixed per-frame steps of the held keys, each scaled by factor. With the left button held,
// A and D move sideways instead of turning.
void updateCameraFromKeys(Camera& camera, const CameraKeys& keys, bool leftButtonDown,
                          double factor);
