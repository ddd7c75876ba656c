// Polygons cut into triangles: quads as fans, larger polygons by ear clipping in their own plane,
// so that a concave polygon gives triangles inside it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "plugin/host/geometry.h"

namespace standin {

// Cuts polygons into triangles, reusing its buffers from one polygon to the next (no allocation
// once they have grown to the largest polygon).
class PolygonTriangulator {
  public:
    using Triangle = std::array<std::uint32_t, 3>;

    // The triangles of the polygon with corners[0] to corners[count - 1] in order, as triples of
    // corner numbers wound as the polygon is (so they face its side): count - 2 of them, none for
    // fewer than 3 corners. A quad is the fan from corner 0; a larger polygon is cut by ear
    // clipping, projected along its Newell normal; where no ear is left (a self-crossing or
    // degenerate polygon) the rest is cut as a fan, so it always ends, and so is the rest of a
    // polygon whose clipping would take more than a few thousand steps per corner (only a
    // concave one of thousands of corners can). Valid until the next call.
    const std::vector<Triangle>& triangulate(const host::Point3* corners, std::size_t count);

  private:
    bool is_ear(std::uint32_t a, std::uint32_t b, std::uint32_t c) const;
    double turn(std::uint32_t a, std::uint32_t b, std::uint32_t c) const;
    void fan_from(std::uint32_t first, std::size_t remaining);

    std::vector<Triangle> triangles_;
    std::vector<double> u_, v_;               // corners projected on the polygon's plane
    std::vector<std::uint32_t> prev_, next_;  // the ring of corners not yet cut off
    std::vector<std::uint32_t> reflex_;       // corners that may lie inside an ear
    std::vector<std::uint8_t> removed_;
};

}  // namespace standin
