// Splines as cubic Bezier control polygons: knot, out-handle, in-handle, knot, ..., with a radius
// and a colour per control point running from the curve's start to its end.
#pragma once

#include <cstddef>

#include "importers/sceneapi/dev/bezier_curves.h"
#include "plugin/host/bezier_shape.h"
#include "plugin/host/geometry.h"

namespace vsf {

// Radius and colour at the first control point of a curve and at its last; the points between
// take them in linear proportion to their position in the polygon.
struct CurveGradient {
    float start_radius = 1.0f;
    float end_radius = 1.0f;
    host::Color start_color;
    host::Color end_color;
};

// The control points of spline's polygon: 3 x segments + 1, or 0 for a spline without segments.
std::size_t control_point_count(const host::Spline3D& spline);
// The control points of all splines of shape.
std::size_t control_point_count(const host::BezierShape& shape);

// Appends spline's polygon to curves as one curve: its points (the first knot, then per segment
// the out-handle of its first knot, the in-handle of its second and the point at its end, so a
// closed spline ends on its first knot again), its point count, and a radius and a colour per
// point along gradient. A spline without segments adds nothing. True when a curve was added.
bool append_spline_curve(const host::Spline3D& spline, const CurveGradient& gradient,
                         zyl::BezierCurves& curves);

}  // namespace vsf
