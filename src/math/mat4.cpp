#include "math/mat4.h"

#include <cmath>

Mat4::Mat4(double px, double py, double pz, double ax, double ay, double az) {
    setRotation(ax, ay, az);
    m[12] = px;
    m[13] = py;
    m[14] = pz;
}

void Mat4::setIdentity() { m = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

void Mat4::setRotationX(double a) {
    setIdentity();
    m[5] = m[10] = std::cos(a);
    m[6] = std::sin(a);
    m[9] = -std::sin(a);
}

void Mat4::setRotationY(double a) {
    setIdentity();
    m[0] = m[10] = std::cos(a);
    m[8] = std::sin(a);
    m[2] = -std::sin(a);
}

void Mat4::setRotationZ(double a) {
    setIdentity();
    m[0] = m[5] = std::cos(a);
    m[1] = std::sin(a);
    m[4] = -std::sin(a);
}

Mat4& Mat4::setRotation(double ax, double ay, double az) {
    setRotationX(ax);
    Mat4 t;
    t.setRotationY(ay);
    *this *= t;
    t.setRotationZ(az);
    *this *= t;
    return *this;
}

Mat4& Mat4::operator+=(const Mat4& b) {
    for (int i = 0; i < 16; ++i)
        m[i] += b.m[i];
    return *this;
}

Mat4& Mat4::operator-=(const Mat4& b) {
    for (int i = 0; i < 16; ++i)
        m[i] -= b.m[i];
    return *this;
}

Mat4& Mat4::operator*=(const Mat4& b) {
    std::array<double, 16> r{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            double sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += m[4 * k + i] * b.m[4 * j + k];
            r[4 * j + i] = sum;
        }
    m = r;
    return *this;
}

Mat4& Mat4::operator*=(double s) {
    for (double& v : m)
        v *= s;
    return *this;
}

Mat4& Mat4::operator/=(double s) {
    for (double& v : m)
        v /= s;
    return *this;
}

Mat4 operator+(Mat4 a, const Mat4& b) { return a += b; }
Mat4 operator-(Mat4 a, const Mat4& b) { return a -= b; }
Mat4 operator*(Mat4 a, const Mat4& b) { return a *= b; }
Mat4 operator*(Mat4 a, double s) { return a *= s; }
Mat4 operator/(Mat4 a, double s) { return a /= s; }

Vec3& toLocal(Vec3& v, const Mat4& m) {
    Mat3 r(m[0], m[4], m[8], m[1], m[5], m[9], m[2], m[6], m[10]);
    Vec3 t(m[12], m[13], m[14]);
    v = v * r - t * r;
    return v;
}

Vec3 toLocalCopy(Vec3 v, const Mat4& m) { return toLocal(v, m); }
