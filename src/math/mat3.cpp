#include "math/mat3.h"

Mat3::Mat3(double m0, double m1, double m2, double m3, double m4, double m5, double m6, double m7,
           double m8)
    : m{m0, m1, m2, m3, m4, m5, m6, m7, m8} {}

void Mat3::setIdentity() { m = {1, 0, 0, 0, 1, 0, 0, 0, 1}; }

Mat3& Mat3::operator+=(const Mat3& b) {
    for (int i = 0; i < 9; ++i)
        m[i] += b.m[i];
    return *this;
}

Mat3& Mat3::operator-=(const Mat3& b) {
    for (int i = 0; i < 9; ++i)
        m[i] -= b.m[i];
    return *this;
}

Mat3& Mat3::operator*=(const Mat3& b) {
    Mat3 r;
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            double sum = 0;
            for (int k = 0; k < 3; ++k)
                sum += (*this)(row, k) * b(k, col);
            r(row, col) = sum;
        }
    *this = r;
    return *this;
}

Mat3& Mat3::operator*=(double s) {
    for (double& v : m)
        v *= s;
    return *this;
}

Mat3& Mat3::operator/=(double s) {
    for (double& v : m)
        v /= s;
    return *this;
}

Mat3 operator+(Mat3 a, const Mat3& b) { return a += b; }
Mat3 operator-(Mat3 a, const Mat3& b) { return a -= b; }
Mat3 operator*(Mat3 a, const Mat3& b) { return a *= b; }
Mat3 operator*(Mat3 a, double s) { return a *= s; }
Mat3 operator/(Mat3 a, double s) { return a /= s; }
