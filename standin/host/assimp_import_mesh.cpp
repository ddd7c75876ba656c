#include "standin/host/assimp_import_mesh.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include <assimp/mesh.h>

#include "standin/host/mesh_tools.h"
#include "standin/host/scene_json_error.h"

namespace standin::assimp_import {

namespace {

constexpr std::uint32_t kEmptySlot = std::numeric_limits<std::uint32_t>::max();

// The bits of f, with -0 taken as 0 so that equal values hash alike.
std::uint32_t float_bits(float f) {
    if (f == 0.0f) {
        return 0;
    }
    std::uint32_t b = 0;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

std::uint32_t point_hash(const host::Point3& p) {
    std::uint32_t h = float_bits(p.x) * 0x9E3779B1u;
    h = ((h << 13) | (h >> 19)) ^ (float_bits(p.y) * 0x85EBCA77u);
    h = ((h << 13) | (h >> 19)) ^ (float_bits(p.z) * 0xC2B2AE3Du);
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    return h;
}

// Welds equal points (exact comparison) into one: an open-addressing table over the output
// array, sized once for the most points it will be given, so it never rehashes.
class PointWelder {
  public:
    PointWelder(std::size_t max_points, std::vector<host::Point3>& out) : out_(out) {
        std::size_t size = 16;
        while (size < 2 * max_points) {
            size *= 2;
        }
        table_.assign(size, kEmptySlot);
        mask_ = size - 1;
    }

    // The index in the output of p, appended when it is new.
    std::uint32_t add(const host::Point3& p) {
        std::size_t i = point_hash(p) & mask_;
        while (table_[i] != kEmptySlot) {
            if (out_[table_[i]] == p) {
                return table_[i];
            }
            i = (i + 1) & mask_;
        }
        const auto index = static_cast<std::uint32_t>(out_.size());
        table_[i] = index;
        out_.push_back(p);
        return index;
    }

  private:
    std::vector<host::Point3>& out_;
    std::vector<std::uint32_t> table_;
    std::size_t mask_ = 0;
};

host::Point3 to_point(const aiVector3D& v) {
    return host::Point3(v.x, v.y, v.z);
}

std::string mesh_label(const aiMesh& m) {
    return "mesh \"" + std::string(m.mName.C_Str()) + "\"";
}

}  // namespace

host::Mesh merge_meshes(const std::vector<MeshPart>& parts, const std::string& where) {
    std::size_t vertex_total = 0;
    std::size_t triangle_total = 0;
    bool any_normals = false;
    unsigned channel_count = 0;  // texture coordinate sets used by any part
    for (const MeshPart& part : parts) {
        const aiMesh& m = *part.mesh;
        if ((m.mNumVertices > 0 && m.mVertices == nullptr) ||
            (m.mNumFaces > 0 && m.mFaces == nullptr)) {
            throw SceneFileError(where, mesh_label(m) + " lacks its vertices or faces");
        }
        vertex_total += m.mNumVertices;
        for (unsigned f = 0; f < m.mNumFaces; ++f) {
            const unsigned n = m.mFaces[f].mNumIndices;
            triangle_total += n >= 3 && m.mFaces[f].mIndices != nullptr ? n - 2 : 0;
        }
        any_normals = any_normals || m.HasNormals();
        for (unsigned k = 0; k < AI_MAX_NUMBER_OF_TEXTURECOORDS; ++k) {
            if (m.HasTextureCoords(k)) {
                channel_count = std::max(channel_count, k + 1);
            }
        }
    }
    if (vertex_total >= kEmptySlot || triangle_total >= kEmptySlot) {
        throw SceneFileError(where, "a node holds more than 4294967294 vertices or triangles");
    }

    host::Mesh mesh;
    // Per source vertex (all parts in a row): its welded position, texture point and normal.
    std::vector<std::uint32_t> position_of(vertex_total);
    {
        PointWelder welder(vertex_total, mesh.verts);
        std::size_t base = 0;
        for (const MeshPart& part : parts) {
            const aiMesh& m = *part.mesh;
            for (unsigned i = 0; i < m.mNumVertices; ++i) {
                position_of[base + i] = welder.add(to_point(m.mVertices[i]));
            }
            base += m.mNumVertices;
        }
    }
    mesh.verts.shrink_to_fit();

    mesh.maps.resize(channel_count == 0 ? 0 : channel_count + 1);
    std::vector<std::vector<std::uint32_t>> point_of(channel_count);
    std::vector<std::uint32_t> zero_point_of(channel_count, kEmptySlot);
    for (unsigned k = 0; k < channel_count; ++k) {
        host::MapChannel& map = mesh.maps[k + 1];
        point_of[k].resize(vertex_total);
        PointWelder welder(vertex_total + 1, map.verts);
        std::size_t base = 0;
        for (const MeshPart& part : parts) {
            const aiMesh& m = *part.mesh;
            if (m.HasTextureCoords(k)) {
                const bool has_w = m.mNumUVComponents[k] >= 3;
                for (unsigned i = 0; i < m.mNumVertices; ++i) {
                    const aiVector3D& t = m.mTextureCoords[k][i];
                    point_of[k][base + i] = welder.add(host::Point3(t.x, t.y, has_w ? t.z : 0.0f));
                }
            } else if (zero_point_of[k] == kEmptySlot) {
                zero_point_of[k] = welder.add(host::Point3());
            }
            base += m.mNumVertices;
        }
        map.verts.shrink_to_fit();
        map.faces.reserve(triangle_total);
    }

    std::vector<std::uint32_t> normal_of;
    if (any_normals) {
        mesh.normal_spec.emplace();
        host::MeshNormalSpec& normal_spec = *mesh.normal_spec;
        normal_of.assign(vertex_total, kEmptySlot);
        PointWelder welder(vertex_total, normal_spec.normals);
        std::size_t base = 0;
        for (const MeshPart& part : parts) {
            const aiMesh& m = *part.mesh;
            if (m.HasNormals()) {
                for (unsigned i = 0; i < m.mNumVertices; ++i) {
                    normal_of[base + i] = welder.add(to_point(m.mNormals[i]));
                }
            }
            base += m.mNumVertices;
        }
        if (normal_spec.normals.size() >
            static_cast<std::size_t>(std::numeric_limits<int>::max())) {
            throw SceneFileError(where, "a node holds more than 2147483647 distinct normals");
        }
        normal_spec.normals.shrink_to_fit();
        normal_spec.explicit_normal.assign(normal_spec.normals.size(), 1);
        normal_spec.face_normal_ids.reserve(triangle_total);
    }

    mesh.faces.reserve(triangle_total);
    std::size_t base = 0;
    for (const MeshPart& part : parts) {
        const aiMesh& m = *part.mesh;
        const bool part_normals = m.HasNormals();
        for (unsigned f = 0; f < m.mNumFaces; ++f) {
            const aiFace& face = m.mFaces[f];
            const unsigned n = face.mNumIndices;
            if (n < 3 || face.mIndices == nullptr) {
                continue;
            }
            for (unsigned c = 0; c < n; ++c) {
                if (face.mIndices[c] >= m.mNumVertices) {
                    throw SceneFileError(where, mesh_label(m) + " face " + std::to_string(f) +
                                                    " names vertex " +
                                                    std::to_string(face.mIndices[c]) + " of " +
                                                    std::to_string(m.mNumVertices));
                }
            }
            for (unsigned c = 1; c + 1 < n; ++c) {
                const std::size_t corner[3] = {base + face.mIndices[0], base + face.mIndices[c],
                                               base + face.mIndices[c + 1]};
                host::Face out;
                out.v = {position_of[corner[0]], position_of[corner[1]], position_of[corner[2]]};
                out.smoothing_group = 1;
                out.material_id = part.material_id;
                mesh.faces.push_back(out);
                for (unsigned k = 0; k < channel_count; ++k) {
                    if (m.HasTextureCoords(k)) {
                        mesh.maps[k + 1].faces.push_back({point_of[k][corner[0]],
                                                          point_of[k][corner[1]],
                                                          point_of[k][corner[2]]});
                    } else {
                        mesh.maps[k + 1].faces.push_back(
                            {zero_point_of[k], zero_point_of[k], zero_point_of[k]});
                    }
                }
                if (any_normals) {
                    std::array<int, 3> ids = {-1, -1, -1};
                    if (part_normals) {
                        for (int i = 0; i < 3; ++i) {
                            ids[i] = static_cast<int>(normal_of[corner[i]]);
                        }
                    }
                    mesh.normal_spec->face_normal_ids.push_back(ids);
                }
            }
        }
        base += m.mNumVertices;
    }
    share_map_faces(mesh);
    return mesh;
}

}  // namespace standin::assimp_import
