#include "exporter/mesh_extraction_slots.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "exporter/mesh_extraction_math.h"

namespace vsf {

SlotObjectBuilder::SlotObjectBuilder(const host::Mesh& mesh, const VertexNormals& normals,
                                     const MaterialTable& table)
    : mesh_(mesh),
      normals_(normals),
      table_(table),
      single_slot_(table.count <= 1),
      split_head_(mesh.verts.size(), -1) {
    if (single_slot_) {
        return;  // one material-id slot: every face belongs to record slot_record[0]
    }
    // Group the faces by slot once (a counting sort), so that each slot visits only its faces.
    const std::size_t face_count = mesh.faces.size();
    std::vector<std::int32_t> face_slot(face_count);
    slot_start_.assign(kMaxMaterialSlots + 1, 0);
    for (std::size_t f = 0; f < face_count; ++f) {
        const int record = table.record_index(mesh.faces[f].material_id);
        face_slot[f] = record;
        if (record >= 0 && record < kMaxMaterialSlots) {
            ++slot_start_[static_cast<std::size_t>(record) + 1];
        }
    }
    for (std::size_t s = 1; s < slot_start_.size(); ++s) {
        slot_start_[s] += slot_start_[s - 1];
    }
    faces_by_slot_.resize(static_cast<std::size_t>(slot_start_.back()));
    std::vector<std::int32_t> fill(slot_start_.begin(), slot_start_.end() - 1);
    for (std::size_t f = 0; f < face_count; ++f) {
        const int record = face_slot[f];
        if (record >= 0 && record < kMaxMaterialSlots) {
            faces_by_slot_[static_cast<std::size_t>(fill[static_cast<std::size_t>(record)]++)] =
                static_cast<std::int32_t>(f);
        }
    }
}

std::shared_ptr<zyl::TriangleObject> SlotObjectBuilder::build(const std::string& name, int slot,
                                                              const host::Matrix3& transform) {
    if (slot < 0 || slot >= kMaxMaterialSlots || !table_.records[static_cast<std::size_t>(slot)]) {
        return nullptr;
    }
    const MaterialRecord& record = *table_.records[static_cast<std::size_t>(slot)];

    // The faces of the slot: all of them with a single slot, else the slot's sorted run.
    std::size_t face_total = mesh_.faces.size();
    const std::int32_t* slot_faces = nullptr;
    if (single_slot_) {
        if (table_.slot_record[0] != slot) {
            return nullptr;
        }
    } else {
        const auto s = static_cast<std::size_t>(slot);
        slot_faces = faces_by_slot_.data() + slot_start_[s];
        face_total = static_cast<std::size_t>(slot_start_[s + 1] - slot_start_[s]);
    }
    if (face_total == 0) {
        return nullptr;
    }

    // Texture coordinates from the record's channel, when the mesh carries it.
    const int channel = record.uv_channel();
    const host::MapChannel* uv_map = channel >= 0 && mesh_.map_support(channel)
                                         ? &mesh_.maps[static_cast<std::size_t>(channel)]
                                         : nullptr;
    const bool uv_identity = record.uv_transform == host::Matrix3::identity();
    const bool identity = transform == host::Matrix3::identity();

    auto object = std::make_shared<zyl::TriangleObject>(name);
    std::vector<zyl::Float3>& vertices = object->vertices();
    std::vector<zyl::Float3>& out_normals = object->normals();
    std::vector<float>& uv = object->uv();
    std::vector<std::int32_t>& triangles = object->triangles();
    const std::size_t vertex_guess = std::min(3 * face_total, mesh_.verts.size());
    vertices.reserve(vertex_guess);
    out_normals.reserve(vertex_guess);
    if (uv_map) {
        uv.reserve(2 * vertex_guess);
    }
    triangles.reserve(3 * face_total);
    split_next_.clear();  // made once some vertex splits: most vertices never do

    const std::vector<host::Point3>& positions = mesh_.verts;
    const std::size_t vertex_count = positions.size();
    const std::size_t uv_point_count = uv_map ? uv_map->verts.size() : 0;
    for (std::size_t i = 0; i < face_total; ++i) {
        const auto f = static_cast<std::uint32_t>(slot_faces ? slot_faces[i] : i);
        const host::Face& face = mesh_.faces[f];
        if (face.v[0] >= vertex_count || face.v[1] >= vertex_count || face.v[2] >= vertex_count) {
            continue;
        }
        const std::array<std::uint32_t, 3>* uv_face = nullptr;
        if (uv_map) {
            uv_face = &mesh_.map_face(channel, f);
            if ((*uv_face)[0] >= uv_point_count || (*uv_face)[1] >= uv_point_count ||
                (*uv_face)[2] >= uv_point_count) {
                continue;
            }
        }
        std::int32_t corner_index[3];
        for (std::size_t k = 0; k < 3; ++k) {
            const std::uint32_t v = face.v[k];
            const host::Point3 n = normals_.normal(v, f, face.smoothing_group);
            // Normals are matched as they are written: mapped by the transform and normalised.
            const host::Point3 normal =
                mesh_math::normalize(identity ? n : host::transform_vector(n, transform));
            float u = 0.0f;
            float w = 0.0f;
            if (uv_face) {
                host::Point3 p = uv_map->verts[(*uv_face)[k]];
                if (!uv_identity) {
                    p = p * record.uv_transform;
                }
                u = p.x;
                w = p.y;
            }
            // The first split of v with the same normal (and texture coordinate) is reused.
            std::int32_t found = -1;
            std::int32_t last = -1;
            for (std::int32_t s = split_head_[v]; s >= 0;
                 s = split_next_.empty() ? -1 : split_next_[static_cast<std::size_t>(s)]) {
                const zyl::Float3& written = out_normals[static_cast<std::size_t>(s)];
                const host::Point3 d(written[0] - normal.x, written[1] - normal.y,
                                     written[2] - normal.z);
                if (mesh_math::dot(d, d) <= kSplitEpsilon &&
                    (!uv_face ||
                     (std::fabs(uv[2 * static_cast<std::size_t>(s)] - u) <= kSplitEpsilon &&
                      std::fabs(uv[2 * static_cast<std::size_t>(s) + 1] - w) <= kSplitEpsilon))) {
                    found = s;
                    break;
                }
                last = s;
            }
            if (found < 0) {
                found = static_cast<std::int32_t>(vertices.size());
                if (last < 0) {
                    split_head_[v] = found;
                } else {
                    if (split_next_.empty()) {
                        split_next_.reserve(vertices.capacity());
                        split_next_.assign(vertices.size(), -1);
                    }
                    split_next_[static_cast<std::size_t>(last)] = found;
                }
                if (!split_next_.empty()) {
                    split_next_.push_back(-1);
                }
                const host::Point3 position = identity ? positions[v] : positions[v] * transform;
                vertices.push_back({position.x, position.y, position.z});
                out_normals.push_back({normal.x, normal.y, normal.z});
                if (uv_face) {
                    uv.push_back(u);
                    uv.push_back(w);
                }
            }
            corner_index[k] = found;
        }
        triangles.push_back(corner_index[0]);
        triangles.push_back(corner_index[1]);
        triangles.push_back(corner_index[2]);
    }

    // Empty the split lists again for the next slot: only the vertices this slot touched.
    for (std::size_t i = 0; i < face_total; ++i) {
        const host::Face& face =
            mesh_.faces[slot_faces ? static_cast<std::size_t>(slot_faces[i]) : i];
        for (std::uint32_t v : face.v) {
            if (v < vertex_count) {
                split_head_[v] = -1;
            }
        }
    }
    if (vertices.empty()) {
        return nullptr;
    }
    return object;
}

std::shared_ptr<zyl::TriangleObject> build_slot_object(const std::string& name,
                                                       const host::Mesh& mesh,
                                                       const VertexNormals& normals, int slot,
                                                       const MaterialTable& table,
                                                       const host::Matrix3& transform) {
    SlotObjectBuilder builder(mesh, normals, table);
    return builder.build(name, slot, transform);
}

}  // namespace vsf
