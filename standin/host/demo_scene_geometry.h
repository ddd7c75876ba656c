// Procedural geometry of the demo scene: grids, spheres, hair strands and a helix. Internal to
// the demo scene.
#pragma once

#include <vector>

#include "plugin/host/bezier_shape.h"
#include "plugin/host/mesh.h"

namespace standin::demo {

// A flat grid in the xy plane, centred at the origin, of nx by ny quads (two triangles each,
// facing +z), with texture coordinates 0 to 1 over it in map channel 1. Smoothing group 1.
host::Mesh make_grid(int nx, int ny, float size_x, float size_y);

// A sphere around the origin of segments around the z axis and rings from pole to pole (faces
// outward), with a single vertex at each pole and texture coordinates in map channel 1 that
// wrap once around (a seam of their own, not of the positions). Smoothing group 1.
host::Mesh make_sphere(float radius, int segments, int rings);

// count strands of points_per_strand points growing out of a sphere of the given radius
// (spread evenly over it), each length long and drooping slightly.
std::vector<std::vector<host::Point3>> make_strands(float radius, int count, int points_per_strand,
                                                    float length);

// A smooth open helix about the z axis: turns turns of the given radius rising height, as a
// Bezier spline through knots per turn knots a turn.
host::Spline3D make_helix(float radius, float height, int turns, int knots_per_turn);

}  // namespace standin::demo
