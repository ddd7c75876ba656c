// Vector arithmetic for the mesh extraction's inner loops, inline so that the per-corner work is
// not a chain of calls. Same results as the host's geometry functions.
#pragma once

#include <cmath>

#include "plugin/host/geometry.h"

namespace vsf {
namespace mesh_math {

inline float dot(const host::Point3& a, const host::Point3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline host::Point3 cross(const host::Point3& a, const host::Point3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline float length(const host::Point3& p) {
    return std::sqrt(mesh_math::dot(p, p));
}

// p scaled to length 1; a zero or non-finite vector is returned unchanged (as host::normalize).
inline host::Point3 normalize(const host::Point3& p) {
    const float len = mesh_math::length(p);
    if (!(len > 0.0f) || !std::isfinite(len)) {
        return p;
    }
    return p / len;
}

}  // namespace mesh_math
}  // namespace vsf
