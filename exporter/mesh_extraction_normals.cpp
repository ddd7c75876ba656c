#include "exporter/mesh_extraction_normals.h"

#include <algorithm>
#include <cmath>

#include "exporter/mesh_extraction_math.h"

namespace vsf {

namespace {

constexpr float kPi = 3.14159265358979f;

// The angle between a and b given their lengths (both non-zero), in [0, pi].
float angle_between(const host::Point3& a, const host::Point3& b, float length_a, float length_b) {
    const float cosine = mesh_math::dot(a, b) / (length_a * length_b);
    return std::acos(std::min(1.0f, std::max(-1.0f, cosine)));
}

// The index of the explicit normal at corner k of face, or -1 when the corner has none.
int explicit_normal_id(const host::MeshNormalSpec& normal_spec, std::size_t face, std::size_t k) {
    if (face >= normal_spec.face_normal_ids.size()) {
        return -1;
    }
    const int id = normal_spec.face_normal_ids[face][k];
    const bool usable = id >= 0 && static_cast<std::size_t>(id) < normal_spec.normals.size() &&
                        static_cast<std::size_t>(id) < normal_spec.explicit_normal.size() &&
                        normal_spec.explicit_normal[static_cast<std::size_t>(id)] != 0;
    return usable ? id : -1;
}

}  // namespace

VertexNormals::VertexNormals(const host::Mesh& mesh)
    : mesh_(&mesh), has_explicit_(mesh.normal_spec.has_value()), heads_(mesh.verts.size()) {}

void VertexNormals::add(std::uint32_t vertex, const host::Point3& contribution,
                        std::uint32_t mask) {
    std::int32_t e = static_cast<std::int32_t>(vertex);
    for (;;) {
        SmoothingEntry& item = entry(e);
        if (item.mask == 0 || (item.mask & mask) != 0) {
            item.normal += contribution;
            item.mask |= mask;
            return;
        }
        if (next(e) < 0) {
            break;
        }
        e = next(e);
    }
    const auto added = static_cast<std::int32_t>(heads_.size() + further_.size());
    ChainEntry chained;
    chained.entry.normal = contribution;
    chained.entry.mask = mask;
    further_.push_back(chained);
    set_next(e, added);
}

void VertexNormals::set_next(std::int32_t e, std::int32_t after) {
    if (!is_head(e)) {
        further_[static_cast<std::size_t>(e) - heads_.size()].next = after;
        return;
    }
    if (head_next_.empty()) {
        head_next_.assign(heads_.size(), -1);
    }
    head_next_[static_cast<std::size_t>(e)] = after;
}

void VertexNormals::finish() {
    for (std::size_t v = 0; v < heads_.size(); ++v) {
        for (std::int32_t e = static_cast<std::int32_t>(v); e >= 0; e = next(e)) {
            SmoothingEntry& item = entry(e);
            const std::uint32_t groups = item.mask;  // merging does not widen it
            std::int32_t previous = e;
            std::int32_t later = next(e);
            while (later >= 0) {
                const SmoothingEntry& other = entry(later);
                const std::int32_t after = next(later);
                if ((other.mask & groups) != 0) {
                    item.normal += other.normal;
                    set_next(previous, after);
                } else {
                    previous = later;
                }
                later = after;
            }
            item.normal = mesh_math::normalize(item.normal);
        }
    }
}

bool VertexNormals::explicit_normal(std::uint32_t vertex, std::uint32_t face,
                                    host::Point3& out) const {
    const host::MeshNormalSpec& normal_spec = *mesh_->normal_spec;
    const host::Face& corners = mesh_->faces[face];
    for (std::size_t k = 3; k-- > 0;) {
        if (corners.v[k] != vertex) {
            continue;
        }
        const int id = explicit_normal_id(normal_spec, face, k);
        if (id >= 0) {
            out = normal_spec.normals[static_cast<std::size_t>(id)];
            return true;
        }
    }
    return false;
}

host::Point3 VertexNormals::face_normal(std::uint32_t face) const {
    const host::Face& f = mesh_->faces[face];
    const std::vector<host::Point3>& p = mesh_->verts;
    const std::size_t n = p.size();
    if (f.v[0] >= n || f.v[1] >= n || f.v[2] >= n) {
        return host::Point3();
    }
    return mesh_math::normalize(mesh_math::cross(p[f.v[1]] - p[f.v[0]], p[f.v[2]] - p[f.v[1]]));
}

VertexNormals compute_vertex_normals(const host::Mesh& mesh) {
    VertexNormals normals(mesh);
    const std::vector<host::Point3>& p = mesh.verts;
    const std::size_t vertex_count = p.size();
    const host::MeshNormalSpec* normal_spec = mesh.normal_spec ? &*mesh.normal_spec : nullptr;
    for (std::size_t f = 0; f < mesh.faces.size(); ++f) {
        const host::Face& face = mesh.faces[f];
        // Faces without smoothing groups take their own face normal (VertexNormals::normal).
        if (face.smoothing_group == 0) {
            continue;
        }
        const std::uint32_t v0 = face.v[0];
        const std::uint32_t v1 = face.v[1];
        const std::uint32_t v2 = face.v[2];
        if (v0 >= vertex_count || v1 >= vertex_count || v2 >= vertex_count) {
            continue;
        }
        const host::Point3 e0 = p[v1] - p[v0];
        const host::Point3 e1 = p[v2] - p[v1];
        const host::Point3 e2 = p[v0] - p[v2];
        const host::Point3 n = mesh_math::cross(e0, e1);
        const float area2 = mesh_math::length(n);
        // The standard angle-weighted normal: the unit face normal weighted by the face's
        // interior angle at the corner, so how a surface is cut into triangles does not tilt it.
        // A degenerate face contributes nothing but still claims its entry.
        host::Point3 weighted[3];
        if (area2 > 0.0f) {
            const host::Point3 unit = n / area2;
            const float l0 = mesh_math::length(e0);
            const float l1 = mesh_math::length(e1);
            const float l2 = mesh_math::length(e2);
            const float a0 = angle_between(e0, -e2, l0, l2);
            const float a1 = angle_between(e1, -e0, l1, l0);
            const float a2 = std::max(0.0f, kPi - a0 - a1);
            weighted[0] = unit * a0;
            weighted[1] = unit * a1;
            weighted[2] = unit * a2;
        }
        for (std::size_t k = 0; k < 3; ++k) {
            if (normal_spec && explicit_normal_id(*normal_spec, f, k) >= 0) {
                continue;  // the corner keeps the normal the mesh fixes
            }
            normals.add(face.v[k], weighted[k], face.smoothing_group);
        }
    }
    normals.finish();
    return normals;
}

}  // namespace vsf
