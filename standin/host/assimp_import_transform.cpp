#include "standin/host/assimp_import_transform.h"

#include <cmath>

#include <assimp/types.h>

namespace standin::assimp_import {

namespace {

constexpr float kTolerance = 1e-5f;

bool near(float a, float b) {
    return std::fabs(a - b) <= kTolerance;
}

}  // namespace

host::Matrix3 to_matrix3(const aiMatrix4x4& m) {
    // Columns of assimp's matrix are the images of the axes: the host's rows.
    return host::Matrix3(host::Point3(m.a1, m.b1, m.c1), host::Point3(m.a2, m.b2, m.c2),
                         host::Point3(m.a3, m.b3, m.c3), host::Point3(m.a4, m.b4, m.c4));
}

host::Point3 to_point3(const aiVector3D& v) {
    return host::Point3(v.x, v.y, v.z);
}

Quat to_quat(const aiQuaternion& q) {
    const aiMatrix3x3 r = q.GetMatrix();
    return Quat::from_matrix(host::Matrix3(host::Point3(r.a1, r.b1, r.c1),
                                           host::Point3(r.a2, r.b2, r.c2),
                                           host::Point3(r.a3, r.b3, r.c3), host::Point3()));
}

host::Matrix3 look_frame(const aiVector3D& position, const aiVector3D& look, const aiVector3D& up) {
    host::Point3 z = -host::normalize(to_point3(look));
    if (!(host::length(z) > 0.5f)) {
        z = host::Point3(0.0f, 0.0f, 1.0f);
    }
    host::Point3 y = to_point3(up);
    y = host::normalize(y - z * host::dot(y, z));
    if (!(host::length(y) > 0.5f)) {
        // Any direction perpendicular to z.
        const host::Point3 helper =
            std::fabs(z.y) < 0.9f ? host::Point3(0.0f, 1.0f, 0.0f) : host::Point3(1.0f, 0.0f, 0.0f);
        y = host::normalize(helper - z * host::dot(helper, z));
    }
    const host::Point3 x = host::cross(y, z);
    return host::Matrix3(x, y, z, to_point3(position));
}

bool is_rigid(const host::Matrix3& m) {
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            if (!near(host::dot(m.row(i), m.row(j)), i == j ? 1.0f : 0.0f)) {
                return false;
            }
        }
    }
    return m.determinant() > 0.0f;
}

bool is_identity(const host::Matrix3& m) {
    const host::Matrix3 id;
    for (int i = 0; i < 4; ++i) {
        for (int k = 0; k < 3; ++k) {
            if (!near(m.row(i)[k], id.row(i)[k])) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace standin::assimp_import
