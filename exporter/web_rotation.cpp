#include <array>
#include <cmath>

#include "exporter/light_converter.h"

namespace vsf {

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;

using Matrix = std::array<double, 16>;

Matrix multiply(const Matrix& a, const Matrix& b) {
    Matrix m{};
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) {
                sum += a[static_cast<std::size_t>(row * 4 + k)] *
                       b[static_cast<std::size_t>(k * 4 + col)];
            }
            m[static_cast<std::size_t>(row * 4 + col)] = sum;
        }
    }
    return m;
}

}  // namespace

zyl::Matrix4d euler_web_rotation(double a, double b, double c) {
    const double ca = std::cos(a * kRadiansPerDegree), sa = std::sin(a * kRadiansPerDegree);
    const double cb = std::cos(b * kRadiansPerDegree), sb = std::sin(b * kRadiansPerDegree);
    const double cc = std::cos(c * kRadiansPerDegree), sc = std::sin(c * kRadiansPerDegree);
    const Matrix rx{1, 0, 0, 0, 0, ca, sa, 0, 0, -sa, ca, 0, 0, 0, 0, 1};
    const Matrix ry{cb, 0, -sb, 0, 0, 1, 0, 0, sb, 0, cb, 0, 0, 0, 0, 1};
    const Matrix rz{cc, sc, 0, 0, -sc, cc, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    return multiply(multiply(rx, ry), rz);
}

}  // namespace vsf
