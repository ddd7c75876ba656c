#include "plugin/host/bezier_shape.h"

#include <gtest/gtest.h>

namespace {

using host::BezierKnot;
using host::Point3;
using host::Spline3D;

// Knots on the x axis with handles a third of the way to the next knot, and one off-axis handle.
Spline3D three_knots(bool closed) {
    std::vector<BezierKnot> knots = {
        {Point3(0, 0, 0), Point3(0, 0, 0), Point3(1, 1, 0)},
        {Point3(2, 0, 0), Point3(3, 0, 0), Point3(4, 0, 0)},
        {Point3(5, 0, 0), Point3(6, 0, 0), Point3(6, 0, 0)},
    };
    return Spline3D(std::move(knots), closed);
}

TEST(Spline3D, SegmentCountOpenClosedAndDegenerate) {
    EXPECT_EQ(three_knots(false).segment_count(), 2);
    EXPECT_EQ(three_knots(true).segment_count(), 3);
    EXPECT_EQ(Spline3D({{Point3(), Point3(), Point3()}}, true).segment_count(), 0);
    EXPECT_EQ(Spline3D().segment_count(), 0);
}

TEST(Spline3D, SimpleParameterisationIsTheSegmentsCubicBezier) {
    const Spline3D s = three_knots(true);
    EXPECT_EQ(s.interp_bezier_3d(0, 0.0f), Point3(0, 0, 0));
    EXPECT_EQ(s.interp_bezier_3d(0, 1.0f), Point3(3, 0, 0));
    // Midpoint of the cubic (0,0,0) (1,1,0) (2,0,0) (3,0,0): (P0 + 3 P1 + 3 P2 + P3) / 8.
    const Point3 mid = s.interp_bezier_3d(0, 0.5f);
    EXPECT_FLOAT_EQ(mid.x, 1.5f);
    EXPECT_FLOAT_EQ(mid.y, 0.375f);
    // The closing segment runs from the last knot back to the first.
    EXPECT_EQ(s.interp_bezier_3d(2, 0.0f), Point3(6, 0, 0));
    EXPECT_EQ(s.interp_bezier_3d(2, 1.0f), Point3(0, 0, 0));
}

}  // namespace
