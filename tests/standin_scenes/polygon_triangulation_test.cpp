// Polygons cut into triangles: the count, the winding and the area of the triangles for convex,
// concave and star-shaped polygons in any plane and either winding, and an end for degenerate
// and self-crossing ones.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "standin/host/polygon_triangulation.h"

namespace {

using host::Point3;
using Triangles = std::vector<standin::PolygonTriangulator::Triangle>;

// The polygon's area vector (Newell), independent of the code under test's use of it.
Point3 area_vector(const std::vector<Point3>& p) {
    Point3 sum;
    for (std::size_t i = 0; i < p.size(); ++i) {
        sum = sum + host::cross(p[i], p[(i + 1) % p.size()]);
    }
    return sum * 0.5f;
}

// Turns a polygon drawn in the xy plane into another plane, keeping its shape.
std::vector<Point3> placed(const std::vector<Point3>& xy, const std::string& plane, bool reversed) {
    std::vector<Point3> out;
    for (const Point3& p : xy) {
        if (plane == "xy") {
            out.emplace_back(p.x, p.y, 2.0f);
        } else if (plane == "yz") {
            out.emplace_back(-1.0f, p.x, p.y);
        } else if (plane == "xz") {
            out.emplace_back(p.x, 3.0f, p.y);
        } else {  // tilted: a plane along no axis
            out.emplace_back(p.x, 0.6f * p.y, 0.8f * p.y + 0.3f * p.x);
        }
    }
    if (reversed) {
        out = std::vector<Point3>(out.rbegin(), out.rend());
    }
    return out;
}

// Every triangle faces the polygon's side, and together they cover exactly its area.
void expect_covers(const std::vector<Point3>& polygon, const Triangles& triangles) {
    ASSERT_EQ(triangles.size(), polygon.size() - 2);
    const Point3 whole = area_vector(polygon);
    const Point3 normal = host::normalize(whole);
    double covered = 0.0;
    std::set<std::uint32_t> corners;
    for (const auto& t : triangles) {
        ASSERT_LT(t[0], polygon.size());
        ASSERT_LT(t[1], polygon.size());
        ASSERT_LT(t[2], polygon.size());
        EXPECT_TRUE(t[0] != t[1] && t[1] != t[2] && t[0] != t[2]);
        const Point3 a = polygon[t[0]];
        const double signed_area =
            0.5 * host::dot(host::cross(polygon[t[1]] - a, polygon[t[2]] - a), normal);
        EXPECT_GT(signed_area, 0.0) << "triangle " << t[0] << " " << t[1] << " " << t[2];
        covered += signed_area;
        corners.insert(t.begin(), t.end());
    }
    EXPECT_NEAR(covered, host::length(whole), 1e-4 * host::length(whole));
    EXPECT_EQ(corners.size(), polygon.size());
}

// Counter-clockwise in xy: a pentagon with a notch, an L, a comb and a ten-pointed star.
const std::vector<Point3> kNotch = {{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {2, 1, 0}, {0, 4, 0}};
const std::vector<Point3> kEll = {{0, 0, 0}, {3, 0, 0}, {3, 1, 0}, {1, 1, 0}, {1, 3, 0}, {0, 3, 0}};
const std::vector<Point3> kComb = {{0, 0, 0}, {7, 0, 0}, {7, 3, 0}, {6, 3, 0}, {5, 1, 0},
                                   {4, 3, 0}, {3, 1, 0}, {2, 3, 0}, {1, 1, 0}, {0, 3, 0}};

std::vector<Point3> star(int points) {
    std::vector<Point3> out;
    for (int i = 0; i < 2 * points; ++i) {
        const double angle = 3.14159265358979 * i / points;
        const double r = i % 2 == 0 ? 5.0 : 2.0;
        out.emplace_back(static_cast<float>(r * std::cos(angle)),
                         static_cast<float>(r * std::sin(angle)), 0.0f);
    }
    return out;
}

TEST(PolygonTriangulation, TrianglesAndQuadsAreFansFromTheFirstCorner) {
    standin::PolygonTriangulator triangulator;
    const std::vector<Point3> quad = {{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {0, 2, 0}};
    EXPECT_EQ(triangulator.triangulate(quad.data(), 3), (Triangles{{0, 1, 2}}));
    EXPECT_EQ(triangulator.triangulate(quad.data(), 4), (Triangles{{0, 1, 2}, {0, 2, 3}}));
    EXPECT_TRUE(triangulator.triangulate(quad.data(), 2).empty());
    EXPECT_TRUE(triangulator.triangulate(quad.data(), 0).empty());
}

TEST(PolygonTriangulation, ConcavePolygonsGiveTrianglesInsideThemInAnyPlaneAndWinding) {
    struct Case {
        const char* name;
        std::vector<Point3> xy;
    };
    const Case cases[] = {{"notch", kNotch},     {"ell", kEll},        {"comb", kComb},
                          {"star", star(5)},     {"star40", star(40)}, {"hexagon", star(3)},
                          {"star500", star(500)}};
    standin::PolygonTriangulator triangulator;  // one for all: buffers are reused
    for (const Case& c : cases) {
        for (const char* plane : {"xy", "yz", "xz", "tilted"}) {
            for (bool reversed : {false, true}) {
                SCOPED_TRACE(std::string(c.name) + " in " + plane + (reversed ? " reversed" : ""));
                const std::vector<Point3> polygon = placed(c.xy, plane, reversed);
                expect_covers(polygon, triangulator.triangulate(polygon.data(), polygon.size()));
            }
        }
    }
}

TEST(PolygonTriangulation, DegenerateAndSelfCrossingPolygonsStillEndInTriangles) {
    const std::vector<Point3> collinear = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {4, 0, 0}};
    const std::vector<Point3> same_point(7, Point3(1, 2, 3));
    // A figure eight: its two halves turn opposite ways, so no corner is an ear of the whole.
    const std::vector<Point3> crossing = {{0, 0, 0}, {2, 2, 0}, {4, 0, 0},
                                          {4, 2, 0}, {2, 0, 0}, {0, 2, 0}};
    standin::PolygonTriangulator triangulator;
    for (const auto* polygon : {&collinear, &same_point, &crossing}) {
        const Triangles& triangles = triangulator.triangulate(polygon->data(), polygon->size());
        ASSERT_EQ(triangles.size(), polygon->size() - 2);
        for (const auto& t : triangles) {
            for (std::uint32_t corner : t) {
                EXPECT_LT(corner, polygon->size());
            }
        }
    }
}

}  // namespace
