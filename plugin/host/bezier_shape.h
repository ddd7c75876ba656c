// Bezier splines as a shape object hands them over: knots with absolute handle positions.
#pragma once

#include <utility>
#include <vector>

#include "plugin/host/geometry.h"

namespace host {

struct BezierKnot {
    Point3 in_vec;   // the handle before the knot, an absolute position
    Point3 knot;     // the knot itself
    Point3 out_vec;  // the handle after the knot, an absolute position
};

class Spline3D {
  public:
    Spline3D() = default;
    Spline3D(std::vector<BezierKnot> knots, bool closed)
        : knots_(std::move(knots)), closed_(closed) {}

    int knot_count() const { return static_cast<int>(knots_.size()); }
    const BezierKnot& knot(int i) const { return knots_[static_cast<std::size_t>(i)]; }
    const std::vector<BezierKnot>& knots() const { return knots_; }
    bool closed() const { return closed_; }

    // Segments: knots - 1 for an open spline, knots for a closed one (the last segment runs from
    // the last knot back to the first); 0 for a spline of fewer than two knots.
    int segment_count() const;
    // The point at parameter u (0 to 1) of segment seg with the simple (per-segment)
    // parameterisation: the cubic Bezier of the segment's two knots and their facing handles.
    // seg must be in 0 to segment_count() - 1.
    Point3 interp_bezier_3d(int seg, float u) const;

  private:
    std::vector<BezierKnot> knots_;
    bool closed_ = false;
};

struct BezierShape {
    std::vector<Spline3D> splines;

    int spline_count() const { return static_cast<int>(splines.size()); }
};

}  // namespace host
