#include <cmath>

#include <gtest/gtest.h>

#include "view/view_pyramid.h"

namespace {

constexpr double kAspect = 584.0 / 571.0;

struct Frame {
    Vec3 eye, forward, up, right;
};

Frame frameOf(const Camera& c) {
    Frame f;
    f.eye = c.position;
    f.forward = Vec3(c.direction).normalized();
    f.up = Vec3(c.up).normalized();
    f.right = Vec3(f.forward).cross(f.up);
    return f;
}

// A point at distance ahead, turned by the given angles (degrees) to the right and upward.
Vec3 ahead(const Frame& f, double distance, double rightDeg, double upDeg) {
    const double k = M_PI / 180;
    return f.eye + f.forward * distance + f.right * (distance * std::tan(rightDeg * k)) +
           f.up * (distance * std::tan(upDeg * k));
}

TEST(IsBlockInView, InsideTheFieldOfView) {
    Camera c;
    Frame f = frameOf(c);
    EXPECT_TRUE(isBlockInView(ahead(f, 300, 0, 0), c, kAspect));
    EXPECT_TRUE(isBlockInView(ahead(f, 300, 0, 39), c, kAspect));
    EXPECT_TRUE(isBlockInView(ahead(f, 300, 0, -39), c, kAspect));
    // The aspect widens the pyramid beyond 40 degrees to the sides.
    EXPECT_TRUE(isBlockInView(ahead(f, 300, 40.3, 0), c, kAspect));
    EXPECT_TRUE(isBlockInView(ahead(f, 300, -40.3, 0), c, kAspect));
    // Neither plane at the ends of the view is tested.
    EXPECT_TRUE(isBlockInView(ahead(f, 20000, 0, 0), c, kAspect));
    EXPECT_TRUE(isBlockInView(ahead(f, 1, 0, 0), c, kAspect));
}

TEST(IsBlockInView, OutsideTheFieldOfView) {
    Camera c;
    Frame f = frameOf(c);
    EXPECT_FALSE(isBlockInView(ahead(f, 300, 0, 41), c, kAspect));
    EXPECT_FALSE(isBlockInView(ahead(f, 300, 0, -41), c, kAspect));
    EXPECT_FALSE(isBlockInView(ahead(f, 300, 41, 0), c, kAspect));
    EXPECT_FALSE(isBlockInView(ahead(f, 300, -41, 0), c, kAspect));
    EXPECT_FALSE(isBlockInView(f.eye - f.forward * 300, c, kAspect));
    // A narrower aspect narrows the pyramid.
    EXPECT_FALSE(isBlockInView(ahead(f, 300, 35, 0), c, 0.5));
}

TEST(IsBlockInView, BlocksNextToTheEyeStayVisible) {
    Camera c;
    Frame f = frameOf(c);
    EXPECT_TRUE(isBlockInView(f.eye - f.forward * 74, c, kAspect));
    EXPECT_TRUE(isBlockInView(f.eye + f.up * 70, c, kAspect));
    EXPECT_FALSE(isBlockInView(f.eye - f.forward * 76, c, kAspect));
}

TEST(IsBlockInView, FollowsATurnedCameraWithUnnormalisedVectors) {
    Camera c(Vec3(10, 20, 30), Vec3(0, 0, -3), Vec3(0, 2, 0)); // looking straight down
    EXPECT_TRUE(isBlockInView(Vec3(10, 20, -500), c, kAspect));
    EXPECT_FALSE(isBlockInView(Vec3(10, 20, 500), c, kAspect));
    // 45 degrees off along the view's up (+Y) is outside, along its side (X) too.
    EXPECT_FALSE(isBlockInView(Vec3(10, 520, -470), c, kAspect));
    EXPECT_FALSE(isBlockInView(Vec3(510, 20, -470), c, kAspect));
    EXPECT_TRUE(isBlockInView(Vec3(10, 300, -470), c, kAspect));
}

} // namespace
