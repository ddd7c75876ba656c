#include "standin/host/quat.h"

#include <cmath>

namespace standin {

namespace {

Quat normalized(const Quat& q) {
    const float len = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
    if (!(len > 0.0f)) {
        return Quat();
    }
    return Quat(q.x / len, q.y / len, q.z / len, q.w / len);
}

}  // namespace

Quat Quat::from_axis_angle(const host::Point3& axis, float angle) {
    const float len = host::length(axis);
    if (!(len > 0.0f)) {
        return Quat();
    }
    const float s = std::sin(angle * 0.5f) / len;
    return Quat(axis.x * s, axis.y * s, axis.z * s, std::cos(angle * 0.5f));
}

Quat Quat::from_matrix(const host::Matrix3& m) {
    const host::Point3 r0 = host::normalize(m.row(0));
    const host::Point3 r1 = host::normalize(m.row(1));
    const host::Point3 r2 = host::normalize(m.row(2));
    // Row-vector convention: element (i, j) is row i, column j; the column-vector rotation
    // matrix is its transpose.
    const float m00 = r0.x, m01 = r1.x, m02 = r2.x;
    const float m10 = r0.y, m11 = r1.y, m12 = r2.y;
    const float m20 = r0.z, m21 = r1.z, m22 = r2.z;
    const float trace = m00 + m11 + m22;
    Quat q;
    if (trace > 0.0f) {
        const float s = std::sqrt(trace + 1.0f) * 2.0f;
        q = Quat((m21 - m12) / s, (m02 - m20) / s, (m10 - m01) / s, 0.25f * s);
    } else if (m00 > m11 && m00 > m22) {
        const float s = std::sqrt(1.0f + m00 - m11 - m22) * 2.0f;
        q = Quat(0.25f * s, (m01 + m10) / s, (m02 + m20) / s, (m21 - m12) / s);
    } else if (m11 > m22) {
        const float s = std::sqrt(1.0f + m11 - m00 - m22) * 2.0f;
        q = Quat((m01 + m10) / s, 0.25f * s, (m12 + m21) / s, (m02 - m20) / s);
    } else {
        const float s = std::sqrt(1.0f + m22 - m00 - m11) * 2.0f;
        q = Quat((m02 + m20) / s, (m12 + m21) / s, 0.25f * s, (m10 - m01) / s);
    }
    return normalized(q);
}

host::Matrix3 to_matrix(const Quat& in) {
    const Quat q = normalized(in);
    const float xx = q.x * q.x, yy = q.y * q.y, zz = q.z * q.z;
    const float xy = q.x * q.y, xz = q.x * q.z, yz = q.y * q.z;
    const float wx = q.w * q.x, wy = q.w * q.y, wz = q.w * q.z;
    // Rows are the images of the axes (the transpose of the column-vector matrix).
    return host::Matrix3(host::Point3(1 - 2 * (yy + zz), 2 * (xy + wz), 2 * (xz - wy)),
                         host::Point3(2 * (xy - wz), 1 - 2 * (xx + zz), 2 * (yz + wx)),
                         host::Point3(2 * (xz + wy), 2 * (yz - wx), 1 - 2 * (xx + yy)),
                         host::Point3());
}

Quat slerp(const Quat& a, const Quat& bin, float u) {
    Quat b = bin;
    float cosom = a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
    if (cosom < 0.0f) {
        cosom = -cosom;
        b = Quat(-b.x, -b.y, -b.z, -b.w);
    }
    float k0 = 1.0f - u;
    float k1 = u;
    if (cosom < 0.9995f) {
        const float omega = std::acos(cosom);
        const float sinom = std::sin(omega);
        k0 = std::sin((1.0f - u) * omega) / sinom;
        k1 = std::sin(u * omega) / sinom;
    }
    return normalized(
        Quat(a.x * k0 + b.x * k1, a.y * k0 + b.y * k1, a.z * k0 + b.z * k1, a.w * k0 + b.w * k1));
}

}  // namespace standin
