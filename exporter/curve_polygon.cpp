#include "exporter/curve_polygon.h"

#include <cstdint>
#include <vector>

namespace vsf {

namespace {

zyl::Float3 to_float3(const host::Point3& p) {
    return {p.x, p.y, p.z};
}

}  // namespace

std::size_t control_point_count(const host::Spline3D& spline) {
    const int segments = spline.segment_count();
    return segments > 0 ? 3 * static_cast<std::size_t>(segments) + 1 : 0;
}

std::size_t control_point_count(const host::BezierShape& shape) {
    std::size_t total = 0;
    for (const host::Spline3D& spline : shape.splines) {
        total += control_point_count(spline);
    }
    return total;
}

bool append_spline_curve(const host::Spline3D& spline, const CurveGradient& gradient,
                         zyl::BezierCurves& curves) {
    // A single knot has no polygon; its radius and colour would sit at 0 / 0 along it.
    const int segments = spline.segment_count();
    if (segments <= 0) {
        return false;
    }
    const int knots = spline.knot_count();
    std::vector<zyl::Float3>& points = curves.p();
    points.push_back(to_float3(spline.interp_bezier_3d(0, 0.0f)));
    for (int j = 0; j < segments; ++j) {
        const int next = j + 1 < knots ? j + 1 : 0;  // the closing segment ends on knot 0
        points.push_back(to_float3(spline.knot(j).out_vec));
        points.push_back(to_float3(spline.knot(next).in_vec));
        points.push_back(to_float3(spline.interp_bezier_3d(j, 1.0f)));
    }
    const std::int32_t count = 3 * segments + 1;
    curves.add_curve(count);

    std::vector<float>& radii = curves.pr();
    std::vector<zyl::Float3>& colors = curves.pcol();
    const float last = static_cast<float>(count - 1);
    const host::Color& c0 = gradient.start_color;
    const host::Color& c1 = gradient.end_color;
    for (std::int32_t k = 0; k < count; ++k) {
        const float t = static_cast<float>(k) / last;
        radii.push_back(gradient.start_radius + (gradient.end_radius - gradient.start_radius) * t);
        colors.push_back(
            {c0.r + t * (c1.r - c0.r), c0.g + t * (c1.g - c0.g), c0.b + t * (c1.b - c0.b)});
    }
    return true;
}

}  // namespace vsf
