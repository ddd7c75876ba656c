// A triangle mesh as the host hands it over: whole arrays, read in place.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "plugin/host/geometry.h"

namespace host {

struct Face {
    std::array<std::uint32_t, 3> v{};   // vertex indices, in the face's corner order
    std::uint32_t smoothing_group = 0;  // bit i set: the face belongs to smoothing group i + 1
    std::uint16_t material_id = 0;
};

// One texture-coordinate channel: its points and, per mesh face, three indices into them. A
// channel may instead share the mesh's own vertex indices, its faces then left empty: files that
// keep one index per corner for all attributes give such channels, and sharing spares a second
// copy of every face's indices.
struct MapChannel {
    std::vector<Point3> verts;
    std::vector<std::array<std::uint32_t, 3>> faces;
    bool shares_mesh_faces = false;  // texture face f is then faces[f].v of the mesh
};

// Normals fixed by the user or an importer: per face and corner an index into normals (or -1),
// and per normal whether it is explicit (to be used as it is rather than recomputed).
struct MeshNormalSpec {
    std::vector<Point3> normals;
    std::vector<std::uint8_t> explicit_normal;        // one entry per normal, 1 = explicit
    std::vector<std::array<int, 3>> face_normal_ids;  // one entry per mesh face
};

struct Mesh {
    std::vector<Point3> verts;
    std::vector<Face> faces;
    // Map channels by number (0 holds vertex colours, 1 the default texture coordinates).
    std::vector<MapChannel> maps;
    std::optional<MeshNormalSpec> normal_spec;

    int vertex_count() const { return static_cast<int>(verts.size()); }
    int face_count() const { return static_cast<int>(faces.size()); }

    // Whether channel ch exists with one texture face per mesh face (its own or shared); false
    // for any other ch.
    bool map_support(int ch) const {
        if (ch < 0 || ch >= static_cast<int>(maps.size()) || faces.empty()) {
            return false;
        }
        const MapChannel& map = maps[static_cast<std::size_t>(ch)];
        return map.shares_mesh_faces || map.faces.size() == faces.size();
    }

    // The texture face of mesh face f in channel ch; map_support(ch) must hold and f be a face.
    const std::array<std::uint32_t, 3>& map_face(int ch, std::size_t f) const {
        const MapChannel& map = maps[static_cast<std::size_t>(ch)];
        return map.shares_mesh_faces ? faces[f].v : map.faces[f];
    }
};

}  // namespace host
