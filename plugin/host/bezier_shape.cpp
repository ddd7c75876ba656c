#include "plugin/host/bezier_shape.h"

namespace host {

int Spline3D::segment_count() const {
    const int n = knot_count();
    if (n < 2) {
        return 0;
    }
    return closed_ ? n : n - 1;
}

Point3 Spline3D::interp_bezier_3d(int seg, float u) const {
    const int n = knot_count();
    const BezierKnot& k0 = knots_[static_cast<std::size_t>(seg)];
    const BezierKnot& k1 = knots_[static_cast<std::size_t>((seg + 1) % n)];
    const float s = 1.0f - u;
    const float b0 = s * s * s;
    const float b1 = 3.0f * s * s * u;
    const float b2 = 3.0f * s * u * u;
    const float b3 = u * u * u;
    return k0.knot * b0 + k0.out_vec * b1 + k1.in_vec * b2 + k1.knot * b3;
}

}  // namespace host
