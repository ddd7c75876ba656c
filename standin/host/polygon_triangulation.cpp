#include "standin/host/polygon_triangulation.h"

#include <algorithm>
#include <cmath>

namespace standin {

namespace {

// Enough to clip the whole of a polygon of hundreds of reflex corners (a star of a thousand).
constexpr std::size_t kCornerTestsPerCorner = 1024;

}  // namespace

const std::vector<PolygonTriangulator::Triangle>& PolygonTriangulator::triangulate(
    const host::Point3* corners, std::size_t count) {
    triangles_.clear();
    if (count < 3) {
        return triangles_;
    }
    const auto n = static_cast<std::uint32_t>(count);
    prev_.resize(count);
    next_.resize(count);
    for (std::uint32_t i = 0; i < n; ++i) {
        prev_[i] = i == 0 ? n - 1 : i - 1;
        next_[i] = i + 1 == n ? 0 : i + 1;
    }
    if (count <= 4) {
        fan_from(0, count);
        return triangles_;
    }

    // Newell's normal: robust for concave and slightly non-planar polygons.
    double normal[3] = {0.0, 0.0, 0.0};
    for (std::size_t i = 0; i < count; ++i) {
        const host::Point3& p = corners[i];
        const host::Point3& q = corners[i + 1 == count ? 0 : i + 1];
        normal[0] += (double(p.y) - q.y) * (double(p.z) + q.z);
        normal[1] += (double(p.z) - q.z) * (double(p.x) + q.x);
        normal[2] += (double(p.x) - q.x) * (double(p.y) + q.y);
    }
    int axis = 0;
    for (int k = 1; k < 3; ++k) {
        if (std::fabs(normal[k]) > std::fabs(normal[axis])) {
            axis = k;
        }
    }
    if (!(std::fabs(normal[axis]) > 0.0)) {
        fan_from(0, count);  // no area: any cut is as good
        return triangles_;
    }
    // Drop the dominant axis, keeping the other two in cyclic order, and mirror when the normal
    // points down that axis, so the polygon runs counter-clockwise in (u, v).
    const int a = (axis + 1) % 3;
    const int b = (axis + 2) % 3;
    const double mirror = normal[axis] < 0.0 ? -1.0 : 1.0;
    u_.resize(count);
    v_.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        u_[i] = mirror * corners[i][a];
        v_[i] = corners[i][b];
    }

    // Only a corner that does not turn left can lie inside an ear of a simple polygon.
    removed_.assign(count, 0);
    reflex_.clear();
    for (std::uint32_t i = 0; i < n; ++i) {
        if (turn(prev_[i], i, next_[i]) <= 0.0) {
            reflex_.push_back(i);
        }
    }

    std::size_t remaining = count;
    std::uint32_t at = 0;
    std::size_t tried = 0;  // corners tried in a row without finding an ear
    // Each step looks at every reflex corner: bounded per corner, so that a huge polygon in a
    // hostile file costs time in proportion to its size (its rest is then cut as a fan).
    std::size_t budget = kCornerTestsPerCorner * count;
    while (remaining > 3 && tried < remaining && 2 * reflex_.size() <= budget) {
        budget -= 2 * reflex_.size();  // the ear test and, for an ear, the update of the list
        const std::uint32_t before = prev_[at];
        const std::uint32_t after = next_[at];
        if (!is_ear(before, at, after)) {
            at = after;
            ++tried;
            continue;
        }
        triangles_.push_back({before, at, after});
        next_[before] = after;
        prev_[after] = before;
        removed_[at] = 1;
        --remaining;
        tried = 0;
        // The two neighbours turn anew; corners that now turn left can hold no ear's corner.
        reflex_.erase(std::remove_if(reflex_.begin(), reflex_.end(),
                                     [this](std::uint32_t r) {
                                         return removed_[r] != 0 ||
                                                turn(prev_[r], r, next_[r]) > 0.0;
                                     }),
                      reflex_.end());
        at = after;
    }
    fan_from(at, remaining);
    return triangles_;
}

double PolygonTriangulator::turn(std::uint32_t a, std::uint32_t b, std::uint32_t c) const {
    return (u_[b] - u_[a]) * (v_[c] - v_[b]) - (v_[b] - v_[a]) * (u_[c] - u_[b]);
}

bool PolygonTriangulator::is_ear(std::uint32_t a, std::uint32_t b, std::uint32_t c) const {
    if (turn(a, b, c) <= 0.0) {
        return false;
    }
    for (std::uint32_t r : reflex_) {
        if (r == a || r == b || r == c) {
            continue;
        }
        const bool at_corner = (u_[r] == u_[a] && v_[r] == v_[a]) ||
                               (u_[r] == u_[b] && v_[r] == v_[b]) ||
                               (u_[r] == u_[c] && v_[r] == v_[c]);
        // Inside or on the edge of the counter-clockwise triangle a, b, c.
        if (!at_corner && turn(a, b, r) >= 0.0 && turn(b, c, r) >= 0.0 && turn(c, a, r) >= 0.0) {
            return false;
        }
    }
    return true;
}

void PolygonTriangulator::fan_from(std::uint32_t first, std::size_t remaining) {
    std::uint32_t second = next_[first];
    for (std::size_t k = 2; k < remaining; ++k) {
        const std::uint32_t third = next_[second];
        triangles_.push_back({first, second, third});
        second = third;
    }
}

}  // namespace standin
