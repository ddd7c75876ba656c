// The mesh of one node of an OBJ file: triangles gathered with the file's indices, made into a
// host mesh of the points they use when the node ends. Internal to the OBJ import.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "plugin/host/mesh.h"

namespace standin::obj_import {

// The points of the file read so far, which faces of any later node may still name.
struct FilePoints {
    std::vector<host::Point3> positions;
    std::vector<host::Point3> texture_points;  // w = 0 where the file gives none
    std::vector<host::Point3> normals;
};

// Stands for a texture point or normal that a corner does not name.
constexpr std::uint32_t kNone = 0xFFFFFFFFu;

// A face corner: 0-based indices into the file's positions, texture points and normals.
struct Corner {
    std::uint32_t position = 0;
    std::uint32_t texture_point = kNone;
    std::uint32_t normal = kNone;  // below 2^31: normal ids are ints
};

// Gathers a node's triangles and turns them into its mesh.
class NodeMeshBuilder {
  public:
    // Adds the triangle a, b, c with material id; smoothing group 1.
    void add_triangle(const Corner& a, const Corner& b, const Corner& c, std::uint16_t material_id);
    std::size_t triangle_count() const { return faces_.size(); }

    // The mesh of the triangles added since the last call, which it leaves the builder without:
    // - vertices: the file positions they use, in file order (others dropped), re-indexed;
    // - map channel 1 (maps of size 2) when any corner names a texture point: the texture points
    //   used, in file order, and one point (0, 0, 0) that corners without one share; when the
    //   texture points come out numbered like the positions, the channel shares the mesh's
    //   face indices instead of keeping a copy;
    // - specified normals, all explicit, when any corner names a normal: the normals used, in
    //   file order; corners without one have id -1.
    // last: no later face can name the file's points, so the arrays are compacted in place and
    // moved into the mesh rather than copied. Every array of the mesh is shrunk to its size.
    host::Mesh take_mesh(FilePoints& points, bool last);

  private:
    std::vector<host::Face> faces_;
    // Per triangle, file texture point indices (kNone for a corner without); empty until a
    // corner names one.
    std::vector<std::array<std::uint32_t, 3>> texture_faces_;
    bool texture_gaps_ = false;  // some corner has no texture point while others have
    // Per triangle, file normal indices (-1 for a corner without); empty until a corner names one.
    std::vector<std::array<int, 3>> normal_ids_;
    // Scratch of the re-indexing, kept from node to node.
    std::vector<std::uint32_t> slots_;
};

}  // namespace standin::obj_import
