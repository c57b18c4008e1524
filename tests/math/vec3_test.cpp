#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include "math/vec3.h"

namespace {

void expectNear(const Vec3& a, const Vec3& b, double eps = 1e-12) {
    EXPECT_NEAR(a.x, b.x, eps);
    EXPECT_NEAR(a.y, b.y, eps);
    EXPECT_NEAR(a.z, b.z, eps);
}

TEST(Vec3, StoreFlagDecidesWhetherTheVectorChanges) {
    Vec3 v(3, 0, 4);
    Vec3 n = v.normalized(0);
    EXPECT_TRUE(v == Vec3(3, 0, 4));
    expectNear(n, Vec3(0.6, 0, 0.8));
    EXPECT_TRUE(v.normalized(1) == n);
    EXPECT_TRUE(v == n);

    Vec3 a(1, 0, 0);
    Vec3 c = a.cross(Vec3(0, 1, 0), 0);
    EXPECT_TRUE(a == Vec3(1, 0, 0));
    EXPECT_TRUE(c == Vec3(0, 0, 1));
    a.cross(Vec3(0, 1, 0), 1);
    EXPECT_TRUE(a == Vec3(0, 0, 1));

    Vec3 w(0, 2, 0);
    expectNear(w.withLength(5, 0), Vec3(0, 5, 0));
    EXPECT_TRUE(w == Vec3(0, 2, 0));
    w.withLength(5, 1);
    expectNear(w, Vec3(0, 5, 0));

    Vec3 r(1, 0, 0);
    Vec3 turned = r.rotated(Vec3(0, 0, 1), std::numbers::pi / 2, 0);
    EXPECT_TRUE(r == Vec3(1, 0, 0));
    r.rotated(Vec3(0, 0, 1), std::numbers::pi / 2, 1);
    EXPECT_TRUE(r == turned);
}

TEST(Vec3, CrossProducts) {
    Vec3 v(1.5, -2, 7);
    EXPECT_TRUE(v.cross(v) == Vec3(0, 0, 0));
    EXPECT_TRUE(Vec3(0, 1, 0).cross(Vec3(1, 0, 0)) == Vec3(0, 0, -1));
}

TEST(Vec3, RotationIsRightHandedAboutTheAxis) {
    const double a = 0.3;
    expectNear(Vec3(1, 0, 0).rotated(Vec3(0, 0, 1), a), Vec3(std::cos(a), std::sin(a), 0));
    expectNear(Vec3(0, 1, 0).rotated(Vec3(1, 0, 0), std::numbers::pi / 2), Vec3(0, 0, 1));
    EXPECT_TRUE(Vec3(2, 3, 4).rotated(Vec3(0, 1, 0), 0) == Vec3(2, 3, 4));
    Vec3 axis = Vec3(1, 1, 1).normalized();
    expectNear((axis * 3).rotated(axis, 1.1), axis * 3);
}

TEST(Vec3, RotationMatrixEqualsRodriguesFormula) {
    Vec3 axis = Vec3(1, -2, 0.5).normalized();
    Vec3 v(0.3, 4, -1);
    double a = 0.77;
    Vec3 expected = v + axis.cross(v) * std::sin(a) +
                    Vec3(axis).cross(Vec3(axis).cross(v)) * (1 - std::cos(a));
    expectNear(v.rotated(axis, a), expected);
}

TEST(Vec3, AngleTo) {
    EXPECT_DOUBLE_EQ(Vec3(1, 0, 0).angleTo(Vec3(2, 0, 0)), 0);
    EXPECT_DOUBLE_EQ(Vec3(1, 0, 0).angleTo(Vec3(0, 5, 0)), std::numbers::pi / 2);
    EXPECT_DOUBLE_EQ(Vec3(1, 0, 0).angleTo(Vec3(-3, 0, 0)), std::numbers::pi);
    // Rounding pushes the cosine of these nearly parallel vectors past 1 without the clamp.
    Vec3 a(0.1, 0.2, 0.3);
    Vec3 b = a * 3.0000000000000004;
    EXPECT_FALSE(std::isnan(a.angleTo(b)));
    EXPECT_FALSE(std::isnan(Vec3(1e-8, 1, 1).angleTo(Vec3(1e-8, 1, 1))));
}

TEST(Vec3, Arithmetic) {
    Vec3 a(1, 2, 3);
    EXPECT_TRUE(a + Vec3(1, 1, 1) == Vec3(2, 3, 4));
    EXPECT_TRUE(a - Vec3(1, 1, 1) == Vec3(0, 1, 2));
    EXPECT_TRUE(a * 2 == Vec3(2, 4, 6));
    EXPECT_TRUE(a / 2 == Vec3(0.5, 1, 1.5));
    EXPECT_TRUE(-a == Vec3(-1, -2, -3));
    EXPECT_DOUBLE_EQ(Vec3(2, 3, 6).length(), 7);
    EXPECT_EQ(a == Vec3(1, 2, 3.0000001), 0);
}

TEST(Vec3, RowVectorTimesMatrixTakesRowsAsImagesOfTheAxes) {
    Mat3 m(1, 2, 3, 4, 5, 6, 7, 8, 9);
    EXPECT_TRUE(Vec3(1, 0, 0) * m == Vec3(1, 2, 3));
    EXPECT_TRUE(Vec3(0, 1, 0) * m == Vec3(4, 5, 6));
    EXPECT_TRUE(Vec3(1, 1, 1) * m == Vec3(12, 15, 18));
}

} // namespace
