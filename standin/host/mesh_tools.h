// Checks and helpers for host meshes in the stand-in scene.
#pragma once

#include <string>

#include "plugin/host/geometry.h"
#include "plugin/host/mesh.h"

namespace standin {

// Empty when the mesh is consistent; otherwise what is wrong: a face index beyond the vertices,
// a map channel whose face list does not match the mesh faces or whose indices run beyond its
// points (a channel sharing the mesh faces: fewer points than vertices), a normal set whose
// per-face or per-normal arrays do not match, or a normal index beyond the normals (-1 means
// none).
std::string check_mesh(const host::Mesh& mesh);

// Lets every map channel whose texture faces are the mesh faces' own vertex indices share them
// instead (MapChannel::shares_mesh_faces), freeing its copy; other channels stay as they are.
void share_map_faces(host::Mesh& mesh);

// Whether two meshes hold exactly the same data.
bool same_mesh(const host::Mesh& a, const host::Mesh& b);

// The box around the mesh's vertices transformed by m.
host::Box3 mesh_box(const host::Mesh& mesh, const host::Matrix3& m);

// An axis-aligned box centred at the origin with edge lengths size: 8 vertices and 12
// triangles, two per side, wound counter-clockwise seen from outside. Sides in the order -z, +z,
// -y, +x, +y, -x carry material ids 0 to 5; every face has smoothing group 1. Map channel 1
// holds the four corners of the unit square, each side mapped onto it whole.
host::Mesh make_box_mesh(const host::Point3& size);

}  // namespace standin
