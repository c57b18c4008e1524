#pragma once

#include <array>

// 3x3 matrix of doubles, stored row-major: element (r, c) sits at 3r + c.
class Mat3 {
public:
    std::array<double, 9> m{};

    Mat3() = default;
    Mat3(double m0, double m1, double m2, double m3, double m4, double m5, double m6, double m7,
         double m8);

    double operator()(int r, int c) const { return m[3 * r + c]; }
    double& operator()(int r, int c) { return m[3 * r + c]; }

    void setIdentity();

    Mat3& operator+=(const Mat3& b);
    Mat3& operator-=(const Mat3& b);
    Mat3& operator*=(const Mat3& b);
    Mat3& operator*=(double s);
    Mat3& operator/=(double s);
};

Mat3 operator+(Mat3 a, const Mat3& b);
Mat3 operator-(Mat3 a, const Mat3& b);
Mat3 operator*(Mat3 a, const Mat3& b);
Mat3 operator*(Mat3 a, double s);
Mat3 operator/(Mat3 a, double s);
