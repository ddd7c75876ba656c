// Unit quaternions for rotation keys of the stand-in host's transform controllers.
#pragma once

#include "plugin/host/geometry.h"

namespace standin {

struct Quat {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 1.0f;

    Quat() = default;
    Quat(float px, float py, float pz, float pw) : x(px), y(py), z(pz), w(pw) {}

    // Rotation by angle radians about axis (need not be unit length; a zero axis gives the
    // identity). Positive angles turn counter-clockwise looking down the axis.
    static Quat from_axis_angle(const host::Point3& axis, float angle);
    // The rotation part of m: its rows are normalised first, so scale is ignored.
    static Quat from_matrix(const host::Matrix3& m);

    bool operator==(const Quat& o) const { return x == o.x && y == o.y && z == o.z && w == o.w; }
    bool operator!=(const Quat& o) const { return !(*this == o); }
};

// The rotation matrix of q (normalised first), row-vector convention, no translation.
host::Matrix3 to_matrix(const Quat& q);
// Spherical interpolation along the shorter arc; u in 0 to 1.
Quat slerp(const Quat& a, const Quat& b, float u);

}  // namespace standin
