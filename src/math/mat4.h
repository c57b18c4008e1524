#pragma once

#include <array>

#include "math/vec3.h"

// 4x4 matrix of doubles, stored column-major as OpenGL does: element (i, j) sits at 4j + i.
class Mat4 {
public:
    std::array<double, 16> m{};

    Mat4() = default;
    explicit Mat4(const std::array<double, 16>& values) : m(values) {}
    // Euler rotation setRotation(ax, ay, az) with the translation (px, py, pz).
    Mat4(double px, double py, double pz, double ax, double ay, double az);

    double operator[](int i) const { return m[i]; }
    double& operator[](int i) { return m[i]; }

    void setIdentity();
    void setRotationX(double a);
    void setRotationY(double a);
    void setRotationZ(double a);
    // RotX(ax) x RotY(ay) x RotZ(az).
    Mat4& setRotation(double ax, double ay, double az);

    Mat4& operator+=(const Mat4& b);
    Mat4& operator-=(const Mat4& b);
    Mat4& operator*=(const Mat4& b);
    Mat4& operator*=(double s);
    Mat4& operator/=(double s);
};

Mat4 operator+(Mat4 a, const Mat4& b);
Mat4 operator-(Mat4 a, const Mat4& b);
Mat4 operator*(Mat4 a, const Mat4& b);
Mat4 operator*(Mat4 a, double s);
Mat4 operator/(Mat4 a, double s);

// Expresses a point of the outer frame in the frame of m (a rotation followed by a translation).
Vec3& toLocal(Vec3& v, const Mat4& m);
Vec3 toLocalCopy(Vec3 v, const Mat4& m);
