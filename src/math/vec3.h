#pragma once

#include "math/mat3.h"

// Double-precision vector. Products with matrices treat it as a row vector.
class Vec3 {
public:
    double x = 0;
    double y = 0;
    double z = 0;

    Vec3() = default;
    Vec3(double x, double y, double z) : x(x), y(y), z(z) {}

    Vec3& operator+=(const Vec3& b);
    Vec3& operator-=(const Vec3& b);
    Vec3& operator*=(double s);
    Vec3& operator/=(double s);
    Vec3& operator*=(const Mat3& m);
    Vec3 operator-() const { return {-x, -y, -z}; }
    int operator==(const Vec3& b) const { return x == b.x && y == b.y && z == b.z; }

    double length() const;
    // Angle in 0..pi; the cosine is clamped so nearly parallel vectors never give NaN.
    double angleTo(const Vec3& b) const;

    // Each of these returns the result and, when store is nonzero, also writes it into *this.
    Vec3 cross(const Vec3& b, int store = 0);
    Vec3 normalized(int store = 0);
    Vec3 withLength(double len, int store = 0);
    Vec3 rotated(const Vec3& axis, double angle, int store = 0);

    // Rotation about this vector (taken as the axis) by angle, right-handed.
    Mat3 rotationMatrix(double angle) const;
};

Vec3 operator+(Vec3 a, const Vec3& b);
Vec3 operator-(Vec3 a, const Vec3& b);
Vec3 operator*(Vec3 a, double s);
Vec3 operator/(Vec3 a, double s);
Vec3 operator*(Vec3 a, const Mat3& m);
