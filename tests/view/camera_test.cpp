#include <cmath>

#include <gtest/gtest.h>

#include "view/camera.h"

namespace {

void expectNear(const Vec3& a, const Vec3& b, double eps = 1e-9) {
    EXPECT_NEAR(a.x, b.x, eps);
    EXPECT_NEAR(a.y, b.y, eps);
    EXPECT_NEAR(a.z, b.z, eps);
}

void expectSameCamera(const Camera& a, const Camera& b, double eps = 1e-9) {
    expectNear(a.position, b.position, eps);
    expectNear(a.direction, b.direction, eps);
    expectNear(a.up, b.up, eps);
}

TEST(Camera, DefaultStateIsTheExactUnitVectors) {
    Camera c;
    EXPECT_EQ(c.position.z, 320);
    EXPECT_EQ(c.direction.x, -0.5773502795520422);
    EXPECT_EQ(c.direction.y, 0.5773502795520422);
    EXPECT_EQ(c.up.z, 0.8164965816086519);
    EXPECT_EQ(c.up.x, -0.40824831534341766);
    EXPECT_NEAR(Vec3(c.direction).angleTo(c.up), 1.5707963267948966, 1e-7);
    Vec3 centre = c.position + c.direction;
    expectNear(centre, Vec3(-0.57735, 0.57735, 319.42265), 1e-5);
}

TEST(CameraKeys, NoKeyLeavesTheCameraAlone) {
    Camera c;
    updateCameraFromKeys(c, {}, false, 1.0);
    expectSameCamera(c, Camera(), 0);
}

TEST(CameraKeys, ForwardAndBackwardCancel) {
    Camera c;
    CameraKeys k;
    k.forward = k.backward = true;
    updateCameraFromKeys(c, k, false, 1.0);
    expectSameCamera(c, Camera(), 1e-12);
    k.backward = false;
    updateCameraFromKeys(c, k, false, 1.0);
    expectNear(c.position, Camera().position + Camera().direction * 10);
}

TEST(CameraKeys, LeftTurnsAboutTheVerticalOrMovesSidewaysWithTheButtonHeld) {
    Camera c;
    CameraKeys k;
    k.left = true;
    updateCameraFromKeys(c, k, false, 1.0);
    EXPECT_EQ(c.direction.z, Camera().direction.z);
    expectNear(c.position, Camera().position, 0);
    // Seen from above the view turned left (counter-clockwise) by 0.03.
    double before = std::atan2(Camera().direction.y, Camera().direction.x);
    double after = std::atan2(c.direction.y, c.direction.x);
    EXPECT_NEAR(after - before, static_cast<double>(0.03f), 1e-12);

    Camera s;
    updateCameraFromKeys(s, k, true, 1.0);
    expectNear(s.direction, Camera().direction, 0);
    Vec3 right = Vec3(Camera().direction).cross(Camera().up);
    expectNear(s.position, Camera().position - right * 10);
}

TEST(Camera, PitchThereAndBackAndRollKeepTheFrame) {
    Camera c;
    c.pitch(0.4);
    EXPECT_GT(c.direction.z, Camera().direction.z); // tilted upward
    c.pitch(-0.4);
    // The default vectors are only unit to single precision, so the axis is not exactly unit.
    expectSameCamera(c, Camera(), 1e-8);

    Camera r;
    r.roll(0.7);
    expectNear(r.direction, Camera().direction, 0);
    EXPECT_NEAR(r.up.x * r.direction.x + r.up.y * r.direction.y + r.up.z * r.direction.z, 0, 1e-7);
    EXPECT_NEAR(r.up.length(), 1, 1e-7);
}

TEST(Camera, Moves) {
    Camera c;
    c.moveUp(2);
    expectNear(c.position, Camera().position + Camera().up * 2);
    c.translate(Vec3(1, 1, 1));
    expectNear(c.position, Camera().position + Camera().up * 2 + Vec3(1, 1, 1));
}

} // namespace
