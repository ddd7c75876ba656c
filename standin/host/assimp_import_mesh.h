// The meshes of one imported node merged into one host mesh. Internal to the assimp import.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plugin/host/mesh.h"

struct aiMesh;

namespace standin::assimp_import {

// One mesh of a node and the material id its faces get.
struct MeshPart {
    const aiMesh* mesh = nullptr;
    std::uint16_t material_id = 0;
};

// Merges parts into one host mesh, in order:
// - vertices: the parts' positions with equal positions welded into one vertex, so that faces
//   share vertices as the host's meshes do (and so that smoothing groups can smooth across them);
// - faces: triangles as they are, polygons of more corners as fans (callers triangulate
//   non-convex ones first), points and lines dropped; every face in smoothing group 1 with its
//   part's material id;
// - map channel k + 1 from the parts' texture coordinate set k (equal points welded), a part
//   without that set pointing at a zero point; a channel whose faces come out the same as the
//   mesh faces shares them (share_map_faces);
// - specified normals, all explicit, from the parts' normals (equal ones welded); the corners of
//   a part without normals name none, so their normals come from the smoothing group.
// Throws SceneFileError(where, ...) when a face names a vertex beyond its mesh.
host::Mesh merge_meshes(const std::vector<MeshPart>& parts, const std::string& where);

}  // namespace standin::assimp_import
