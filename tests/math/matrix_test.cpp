#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include "math/mat3.h"
#include "math/mat4.h"

namespace {

TEST(Mat3, IdentityIsNeutralFromBothSides) {
    Mat3 m(1, -2, 3.5, 4, 0.25, 6, -7, 8, 9);
    Mat3 id;
    id.setIdentity();
    EXPECT_EQ((m * id).m, m.m);
    EXPECT_EQ((id * m).m, m.m);
}

TEST(Mat3, ProductIsRowTimesColumn) {
    Mat3 a(1, 2, 0, 0, 1, 0, 0, 0, 1);
    Mat3 b(1, 0, 0, 3, 1, 0, 0, 0, 1);
    Mat3 ab = a * b;
    EXPECT_DOUBLE_EQ(ab(0, 0), 7); // 1*1 + 2*3
    EXPECT_DOUBLE_EQ(ab(0, 1), 2);
    EXPECT_DOUBLE_EQ((b * a)(1, 1), 7); // 3*2 + 1*1
    EXPECT_EQ(((a + b) - b).m, a.m);
    EXPECT_EQ(((a * 4.0) / 4.0).m, a.m);
}

TEST(Mat4, RotationsAreRightHandedInColumnVectorTerms) {
    const double a = 0.4;
    Mat4 z;
    z.setRotationZ(a);
    // Column-major: the image of the x axis is the first column (positions 0..2).
    EXPECT_DOUBLE_EQ(z[0], std::cos(a));
    EXPECT_DOUBLE_EQ(z[1], std::sin(a));
    EXPECT_DOUBLE_EQ(z[4], -std::sin(a));
    Mat4 x;
    x.setRotationX(a);
    EXPECT_DOUBLE_EQ(x[6], std::sin(a));
    EXPECT_DOUBLE_EQ(x[9], -std::sin(a));
    Mat4 y;
    y.setRotationY(a);
    EXPECT_DOUBLE_EQ(y[8], std::sin(a));
    EXPECT_DOUBLE_EQ(y[2], -std::sin(a));
}

TEST(Mat4, ProductAndIdentity) {
    Mat4 id;
    id.setIdentity();
    Mat4 r(1, 2, 3, 0.1, 0.2, 0.3);
    EXPECT_EQ((r * id).m, r.m);
    EXPECT_EQ((id * r).m, r.m);

    Mat4 ex, ey, ez;
    ex.setRotationX(0.1);
    ey.setRotationY(0.2);
    ez.setRotationZ(0.3);
    Mat4 euler;
    euler.setRotation(0.1, 0.2, 0.3);
    Mat4 product = ex * ey * ez;
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(euler[i], product[i], 1e-15);
}

TEST(Mat4, ZeroRotationWithPositionIsATranslation) {
    Mat4 zero;
    zero.setRotation(0, 0, 0);
    Mat4 id;
    id.setIdentity();
    EXPECT_EQ(zero.m, id.m);

    Mat4 t(5, -6, 7, 0, 0, 0);
    EXPECT_DOUBLE_EQ(t[12], 5);
    EXPECT_DOUBLE_EQ(t[13], -6);
    EXPECT_DOUBLE_EQ(t[14], 7);
    EXPECT_DOUBLE_EQ(t[0], 1);
    Vec3 p(5, -6, 7);
    EXPECT_TRUE(toLocal(p, t) == Vec3(0, 0, 0));
    EXPECT_TRUE(p == Vec3(0, 0, 0));
}

TEST(Mat4, ToLocalUndoesRotationAndTranslation) {
    // A frame turned a quarter turn about Z and moved to (10, 0, 0): its local x axis is world +y.
    Mat4 frame(10, 0, 0, 0, 0, std::numbers::pi / 2);
    Vec3 local = toLocalCopy(Vec3(10, 1, 0), frame);
    EXPECT_NEAR(local.x, 1, 1e-12);
    EXPECT_NEAR(local.y, 0, 1e-12);
    EXPECT_NEAR(local.z, 0, 1e-12);
}

} // namespace
