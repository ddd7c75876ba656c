#include "standin/host/mesh_tools.h"

#include <array>
#include <cstddef>
#include <vector>

namespace standin {

namespace {

bool same_face(const host::Face& a, const host::Face& b) {
    return a.v == b.v && a.smoothing_group == b.smoothing_group && a.material_id == b.material_id;
}

}  // namespace

std::string check_mesh(const host::Mesh& mesh) {
    const std::size_t nv = mesh.verts.size();
    for (std::size_t f = 0; f < mesh.faces.size(); ++f) {
        for (std::uint32_t v : mesh.faces[f].v) {
            if (v >= nv) {
                return "face " + std::to_string(f) + " names vertex " + std::to_string(v) + " of " +
                       std::to_string(nv);
            }
        }
    }
    for (std::size_t ch = 0; ch < mesh.maps.size(); ++ch) {
        const host::MapChannel& map = mesh.maps[ch];
        if (map.shares_mesh_faces) {
            if (!map.faces.empty()) {
                return "map channel " + std::to_string(ch) +
                       " shares the mesh faces but has faces of its own";
            }
            if (!mesh.faces.empty() && map.verts.size() < nv) {
                return "map channel " + std::to_string(ch) + " shares the mesh faces with " +
                       std::to_string(map.verts.size()) + " points for " + std::to_string(nv) +
                       " vertices";
            }
            continue;
        }
        if (map.faces.empty() && map.verts.empty()) {
            continue;  // a channel the mesh does not use
        }
        if (map.faces.size() != mesh.faces.size()) {
            return "map channel " + std::to_string(ch) + " has " +
                   std::to_string(map.faces.size()) + " faces for " +
                   std::to_string(mesh.faces.size()) + " mesh faces";
        }
        for (std::size_t f = 0; f < map.faces.size(); ++f) {
            for (std::uint32_t t : map.faces[f]) {
                if (t >= map.verts.size()) {
                    return "map channel " + std::to_string(ch) + " face " + std::to_string(f) +
                           " names point " + std::to_string(t) + " of " +
                           std::to_string(map.verts.size());
                }
            }
        }
    }
    if (mesh.normal_spec) {
        const host::MeshNormalSpec& normal_spec = *mesh.normal_spec;
        if (normal_spec.face_normal_ids.size() != mesh.faces.size()) {
            return "specified normals have " + std::to_string(normal_spec.face_normal_ids.size()) +
                   " faces for " + std::to_string(mesh.faces.size()) + " mesh faces";
        }
        if (normal_spec.explicit_normal.size() != normal_spec.normals.size()) {
            return "specified normals have " + std::to_string(normal_spec.explicit_normal.size()) +
                   " explicit flags for " + std::to_string(normal_spec.normals.size()) + " normals";
        }
        for (std::size_t f = 0; f < normal_spec.face_normal_ids.size(); ++f) {
            for (int n : normal_spec.face_normal_ids[f]) {
                if (n < -1 || n >= static_cast<int>(normal_spec.normals.size())) {
                    return "specified normals: face " + std::to_string(f) + " names normal " +
                           std::to_string(n) + " of " + std::to_string(normal_spec.normals.size());
                }
            }
        }
    }
    return {};
}

bool same_mesh(const host::Mesh& a, const host::Mesh& b) {
    if (a.verts != b.verts || a.faces.size() != b.faces.size() || a.maps.size() != b.maps.size()) {
        return false;
    }
    for (std::size_t f = 0; f < a.faces.size(); ++f) {
        if (!same_face(a.faces[f], b.faces[f])) {
            return false;
        }
    }
    for (std::size_t ch = 0; ch < a.maps.size(); ++ch) {
        if (a.maps[ch].verts != b.maps[ch].verts || a.maps[ch].faces != b.maps[ch].faces ||
            a.maps[ch].shares_mesh_faces != b.maps[ch].shares_mesh_faces) {
            return false;
        }
    }
    if (a.normal_spec.has_value() != b.normal_spec.has_value()) {
        return false;
    }
    if (a.normal_spec) {
        const host::MeshNormalSpec& x = *a.normal_spec;
        const host::MeshNormalSpec& y = *b.normal_spec;
        return x.normals == y.normals && x.explicit_normal == y.explicit_normal &&
               x.face_normal_ids == y.face_normal_ids;
    }
    return true;
}

void share_map_faces(host::Mesh& mesh) {
    for (host::MapChannel& map : mesh.maps) {
        if (map.shares_mesh_faces || map.faces.empty() || map.faces.size() != mesh.faces.size() ||
            map.verts.size() < mesh.verts.size()) {
            continue;
        }
        bool same = true;
        for (std::size_t f = 0; f < map.faces.size() && same; ++f) {
            same = map.faces[f] == mesh.faces[f].v;
        }
        if (same) {
            std::vector<std::array<std::uint32_t, 3>>().swap(map.faces);
            map.shares_mesh_faces = true;
        }
    }
}

host::Box3 mesh_box(const host::Mesh& mesh, const host::Matrix3& m) {
    host::Box3 box;
    for (const host::Point3& p : mesh.verts) {
        box += p * m;
    }
    return box;
}

host::Mesh make_box_mesh(const host::Point3& size) {
    const host::Point3 h = size * 0.5f;
    host::Mesh mesh;
    mesh.verts = {{-h.x, -h.y, -h.z}, {h.x, -h.y, -h.z}, {-h.x, h.y, -h.z}, {h.x, h.y, -h.z},
                  {-h.x, -h.y, h.z},  {h.x, -h.y, h.z},  {-h.x, h.y, h.z},  {h.x, h.y, h.z}};
    // Each side as a quad a, b, c, d (counter-clockwise from outside) split into a-b-c and c-d-a.
    const std::uint32_t sides[6][4] = {
        {0, 2, 3, 1},  // -z
        {4, 5, 7, 6},  // +z
        {0, 1, 5, 4},  // -y
        {1, 3, 7, 5},  // +x
        {3, 2, 6, 7},  // +y
        {2, 0, 4, 6},  // -x
    };
    host::MapChannel uv;
    uv.verts = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    for (int s = 0; s < 6; ++s) {
        const std::uint32_t* q = sides[s];
        const auto id = static_cast<std::uint16_t>(s);
        mesh.faces.push_back(host::Face{{q[0], q[1], q[2]}, 1u, id});
        mesh.faces.push_back(host::Face{{q[2], q[3], q[0]}, 1u, id});
        uv.faces.push_back({0, 1, 2});
        uv.faces.push_back({2, 3, 0});
    }
    mesh.maps.resize(2);
    mesh.maps[1] = std::move(uv);
    return mesh;
}

}  // namespace standin
