#include "plugin/host/geometry.h"

#include <cmath>
#include <limits>

namespace host {

float dot(const Point3& a, const Point3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Point3 cross(const Point3& a, const Point3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float length(const Point3& p) {
    return std::sqrt(dot(p, p));
}

Point3 normalize(const Point3& p) {
    const float len = length(p);
    if (!(len > 0.0f) || !std::isfinite(len)) {
        return p;
    }
    return p / len;
}

Matrix3::Matrix3() : rows_{Point3(1, 0, 0), Point3(0, 1, 0), Point3(0, 0, 1), Point3(0, 0, 0)} {}

Matrix3::Matrix3(const Point3& r0, const Point3& r1, const Point3& r2, const Point3& r3)
    : rows_{r0, r1, r2, r3} {}

Matrix3 Matrix3::translation(const Point3& t) {
    Matrix3 m;
    m.rows_[3] = t;
    return m;
}

Matrix3 Matrix3::scaling(const Point3& s) {
    return Matrix3(Point3(s.x, 0, 0), Point3(0, s.y, 0), Point3(0, 0, s.z), Point3());
}

Matrix3 Matrix3::rotation_x(float angle) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    return Matrix3(Point3(1, 0, 0), Point3(0, c, s), Point3(0, -s, c), Point3());
}

Matrix3 Matrix3::rotation_y(float angle) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    return Matrix3(Point3(c, 0, -s), Point3(0, 1, 0), Point3(s, 0, c), Point3());
}

Matrix3 Matrix3::rotation_z(float angle) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    return Matrix3(Point3(c, s, 0), Point3(-s, c, 0), Point3(0, 0, 1), Point3());
}

Matrix3 Matrix3::operator*(const Matrix3& o) const {
    Matrix3 r;
    for (int i = 0; i < 3; ++i) {
        r.rows_[i] = transform_vector(rows_[i], o);
    }
    r.rows_[3] = rows_[3] * o;
    return r;
}

bool Matrix3::operator==(const Matrix3& o) const {
    for (int i = 0; i < 4; ++i) {
        if (rows_[i] != o.rows_[i]) {
            return false;
        }
    }
    return true;
}

float Matrix3::determinant() const {
    return dot(rows_[0], cross(rows_[1], rows_[2]));
}

void Matrix3::orthogonalize() {
    // Gram-Schmidt on unit directions, then each row gets its old length back.
    const float len0 = length(rows_[0]);
    const float len1 = length(rows_[1]);
    const float len2 = length(rows_[2]);
    Point3 x = normalize(rows_[0]);
    Point3 y = rows_[1];
    if (len0 > 0.0f) {
        y -= x * dot(y, x);
    }
    y = normalize(y);
    Point3 z = rows_[2];
    if (len0 > 0.0f) {
        z -= x * dot(z, x);
    }
    if (length(y) > 0.0f) {
        z -= y * dot(z, y);
    }
    z = normalize(z);
    rows_[0] = len0 > 0.0f ? x * len0 : Point3();
    rows_[1] = len1 > 0.0f && length(y) > 0.0f ? y * len1 : Point3();
    rows_[2] = len2 > 0.0f && length(z) > 0.0f ? z * len2 : Point3();
}

Point3 operator*(const Point3& p, const Matrix3& m) {
    return transform_vector(p, m) + m.row(3);
}

Point3 transform_vector(const Point3& v, const Matrix3& m) {
    return m.row(0) * v.x + m.row(1) * v.y + m.row(2) * v.z;
}

Matrix3 inverse(const Matrix3& m) {
    // The inverse of the 3x3 part is the transposed adjugate over the determinant; computed in
    // double precision so that nearly singular scales keep their digits.
    double a[3][3];
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            a[i][j] = m.row(i)[j];
        }
    }
    const double det = a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
                       a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
                       a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
    if (det == 0.0 || !std::isfinite(det)) {
        return Matrix3();
    }
    double inv[3][3];
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            // Cofactor of a[j][i], transposed.
            const int r0 = (j + 1) % 3;
            const int r1 = (j + 2) % 3;
            const int c0 = (i + 1) % 3;
            const int c1 = (i + 2) % 3;
            inv[i][j] = (a[r0][c0] * a[r1][c1] - a[r0][c1] * a[r1][c0]) / det;
        }
    }
    Matrix3 r;
    for (int i = 0; i < 3; ++i) {
        r.set_row(i, Point3(static_cast<float>(inv[i][0]), static_cast<float>(inv[i][1]),
                            static_cast<float>(inv[i][2])));
    }
    // Translation: -t * inverse(3x3).
    const Point3& t = m.row(3);
    Point3 it;
    for (int j = 0; j < 3; ++j) {
        it[j] = static_cast<float>(-(t.x * inv[0][j] + t.y * inv[1][j] + t.z * inv[2][j]));
    }
    r.set_translation(it);
    return r;
}

Box3::Box3() {
    init();
}

void Box3::init() {
    const float big = std::numeric_limits<float>::max();
    min_ = Point3(big, big, big);
    max_ = Point3(-big, -big, -big);
}

bool Box3::is_empty() const {
    return min_.x > max_.x || min_.y > max_.y || min_.z > max_.z;
}

Point3 Box3::width() const {
    return is_empty() ? Point3() : max_ - min_;
}

Box3& Box3::operator+=(const Point3& p) {
    for (int i = 0; i < 3; ++i) {
        if (p[i] < min_[i]) {
            min_[i] = p[i];
        }
        if (p[i] > max_[i]) {
            max_[i] = p[i];
        }
    }
    return *this;
}

Box3& Box3::operator+=(const Box3& b) {
    if (!b.is_empty()) {
        *this += b.min_;
        *this += b.max_;
    }
    return *this;
}

Box3 operator*(const Box3& b, const Matrix3& m) {
    Box3 r;
    if (b.is_empty()) {
        return r;
    }
    for (int corner = 0; corner < 8; ++corner) {
        const Point3 p((corner & 1) ? b.max().x : b.min().x, (corner & 2) ? b.max().y : b.min().y,
                       (corner & 4) ? b.max().z : b.min().z);
        r += p * m;
    }
    return r;
}

}  // namespace host
