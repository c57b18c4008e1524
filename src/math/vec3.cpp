#include "math/vec3.h"

#include <algorithm>
#include <cmath>

Vec3& Vec3::operator+=(const Vec3& b) {
    x += b.x;
    y += b.y;
    z += b.z;
    return *this;
}

Vec3& Vec3::operator-=(const Vec3& b) {
    x -= b.x;
    y -= b.y;
    z -= b.z;
    return *this;
}

Vec3& Vec3::operator*=(double s) {
    x *= s;
    y *= s;
    z *= s;
    return *this;
}

Vec3& Vec3::operator/=(double s) {
    x /= s;
    y /= s;
    z /= s;
    return *this;
}

Vec3& Vec3::operator*=(const Mat3& m) {
    Vec3 r(x * m(0, 0) + y * m(1, 0) + z * m(2, 0), x * m(0, 1) + y * m(1, 1) + z * m(2, 1),
           x * m(0, 2) + y * m(1, 2) + z * m(2, 2));
    *this = r;
    return *this;
}

double Vec3::length() const { return std::sqrt(x * x + y * y + z * z); }

double Vec3::angleTo(const Vec3& b) const {
    double d = b.x * x + b.y * y + b.z * z;
    return std::acos(std::clamp(d / (b.length() * length()), -1.0, 1.0));
}

Vec3 Vec3::cross(const Vec3& b, int store) {
    Vec3 r(y * b.z - z * b.y, z * b.x - x * b.z, x * b.y - y * b.x);
    if (store)
        *this = r;
    return r;
}

Vec3 Vec3::normalized(int store) {
    Vec3 r = *this / length();
    if (store)
        *this = r;
    return r;
}

Vec3 Vec3::withLength(double len, int store) {
    Vec3 r = normalized(0) * len;
    if (store)
        *this = r;
    return r;
}

Vec3 Vec3::rotated(const Vec3& axis, double angle, int store) {
    Vec3 r = *this * axis.rotationMatrix(angle);
    if (store)
        *this = r;
    return r;
}

Mat3 Vec3::rotationMatrix(double angle) const {
    // R = I + sin(a) K + (1 - cos(a)) K^2, where v K = axis x v for row vectors.
    Mat3 k(0, z, -y, -z, 0, x, y, -x, 0);
    Mat3 first = k * std::sin(angle);
    Mat3 second = (k * k) * (1 - std::cos(angle));
    Mat3 r;
    r.setIdentity();
    r += first;
    r += second;
    return r;
}

Vec3 operator+(Vec3 a, const Vec3& b) { return a += b; }
Vec3 operator-(Vec3 a, const Vec3& b) { return a -= b; }
Vec3 operator*(Vec3 a, double s) { return a *= s; }
Vec3 operator/(Vec3 a, double s) { return a /= s; }
Vec3 operator*(Vec3 a, const Mat3& m) { return a *= m; }
