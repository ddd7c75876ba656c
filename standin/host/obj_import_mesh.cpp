#include "standin/host/obj_import_mesh.h"

#include <algorithm>
#include <utility>

#include "standin/host/mesh_tools.h"

namespace standin::obj_import {

namespace {

// The points of file that a node's indices name, in file order, with the indices renumbered to
// them. for_each(f) calls f(std::uint32_t&) on every index in use. last: the file's array is
// compacted in place and moved out (no later node needs it). slots: scratch, kept for reuse.
template <class ForEach>
std::vector<host::Point3> take_used_points(std::vector<host::Point3>& file, bool last,
                                           std::vector<std::uint32_t>& slots, ForEach for_each) {
    std::uint32_t lo = kNone;
    std::uint32_t hi = 0;
    std::size_t uses = 0;
    for_each([&](std::uint32_t& i) {
        lo = std::min(lo, i);
        hi = std::max(hi, i);
        ++uses;
    });
    if (uses == 0) {
        return {};
    }
    // A node usually names a run of the file's points: a table over that run renumbers in linear
    // time; a node whose few points lie far apart sorts them instead.
    const std::size_t range = std::size_t(hi) - lo + 1;
    const bool dense = range <= 2 * uses + 1024;
    std::size_t used = 0;
    if (dense) {
        slots.assign(range, 0);
        for_each([&](std::uint32_t& i) { slots[i - lo] = 1; });
        for (std::uint32_t& s : slots) {
            if (s != 0) {
                s = static_cast<std::uint32_t>(++used);  // the new index + 1
            }
        }
    } else {
        slots.clear();
        slots.reserve(uses);
        for_each([&](std::uint32_t& i) { slots.push_back(i); });
        std::sort(slots.begin(), slots.end());
        slots.erase(std::unique(slots.begin(), slots.end()), slots.end());
        used = slots.size();
    }
    // The file's point at the k-th place of the used ones, for k rising.
    const auto source = [&](std::size_t k, std::size_t& j) -> std::size_t {
        if (!dense) {
            return slots[k];
        }
        while (slots[j] == 0) {
            ++j;
        }
        return lo + j++;
    };

    const bool all = lo == 0 && used == file.size();
    if (!all) {
        if (dense) {
            for_each([&](std::uint32_t& i) { i = slots[i - lo] - 1; });
        } else {
            for_each([&](std::uint32_t& i) {
                i = static_cast<std::uint32_t>(std::lower_bound(slots.begin(), slots.end(), i) -
                                               slots.begin());
            });
        }
    }
    std::vector<host::Point3> out;
    if (last) {
        if (!all) {
            // Each point moves down or stays: k never passes its source.
            std::size_t j = 0;
            for (std::size_t k = 0; k < used; ++k) {
                file[k] = file[source(k, j)];
            }
            file.resize(used);
        }
        out = std::move(file);
        file = std::vector<host::Point3>();
        out.shrink_to_fit();
    } else {
        out.reserve(used);
        std::size_t j = 0;
        for (std::size_t k = 0; k < used; ++k) {
            out.push_back(file[source(k, j)]);
        }
    }
    return out;
}

template <class T>
std::vector<T> take_whole(std::vector<T>& v) {
    std::vector<T> out = std::move(v);
    v = std::vector<T>();
    out.shrink_to_fit();
    return out;
}

}  // namespace

void NodeMeshBuilder::add_triangle(const Corner& a, const Corner& b, const Corner& c,
                                   std::uint16_t material_id) {
    host::Face face;
    face.v = {a.position, b.position, c.position};
    face.smoothing_group = 1;
    face.material_id = material_id;
    faces_.push_back(face);

    const int named_textures =
        (a.texture_point != kNone) + (b.texture_point != kNone) + (c.texture_point != kNone);
    if (named_textures > 0 && texture_faces_.empty() && faces_.size() > 1) {
        // The first texture point of the node: the faces before it have none.
        texture_faces_.assign(faces_.size() - 1, {kNone, kNone, kNone});
        texture_gaps_ = true;
    }
    if (named_textures > 0 || !texture_faces_.empty()) {
        texture_faces_.push_back({a.texture_point, b.texture_point, c.texture_point});
        texture_gaps_ = texture_gaps_ || named_textures < 3;
    }

    const bool named_normals = a.normal != kNone || b.normal != kNone || c.normal != kNone;
    if (named_normals && normal_ids_.empty() && faces_.size() > 1) {
        normal_ids_.assign(faces_.size() - 1, {-1, -1, -1});
    }
    if (named_normals || !normal_ids_.empty()) {
        const auto id = [](std::uint32_t n) { return n == kNone ? -1 : static_cast<int>(n); };
        normal_ids_.push_back({id(a.normal), id(b.normal), id(c.normal)});
    }
}

host::Mesh NodeMeshBuilder::take_mesh(FilePoints& points, bool last) {
    host::Mesh mesh;
    mesh.verts = take_used_points(points.positions, last, slots_, [this](auto&& f) {
        for (host::Face& face : faces_) {
            for (std::uint32_t& i : face.v) {
                f(i);
            }
        }
    });
    mesh.faces = take_whole(faces_);

    if (!texture_faces_.empty()) {
        mesh.maps.resize(2);
        host::MapChannel& map = mesh.maps[1];
        map.verts = take_used_points(points.texture_points, last, slots_, [this](auto&& f) {
            for (auto& corners : texture_faces_) {
                for (std::uint32_t& i : corners) {
                    if (i != kNone) {
                        f(i);
                    }
                }
            }
        });
        if (texture_gaps_) {
            // One point (0, 0, 0) for every corner without one.
            const auto zero = static_cast<std::uint32_t>(map.verts.size());
            map.verts.emplace_back();
            map.verts.shrink_to_fit();
            for (auto& corners : texture_faces_) {
                for (std::uint32_t& i : corners) {
                    i = i == kNone ? zero : i;
                }
            }
        }
        map.faces = take_whole(texture_faces_);
    }
    texture_gaps_ = false;
    share_map_faces(mesh);  // most files number texture points like the positions

    if (!normal_ids_.empty()) {
        host::MeshNormalSpec& specified = mesh.normal_spec.emplace();
        specified.normals = take_used_points(points.normals, last, slots_, [this](auto&& f) {
            for (auto& ids : normal_ids_) {
                for (int& id : ids) {
                    if (id >= 0) {
                        auto i = static_cast<std::uint32_t>(id);
                        f(i);
                        id = static_cast<int>(i);
                    }
                }
            }
        });
        specified.explicit_normal.assign(specified.normals.size(), 1);
        specified.face_normal_ids = take_whole(normal_ids_);
    }
    if (last) {
        slots_ = std::vector<std::uint32_t>();
    }
    return mesh;
}

}  // namespace standin::obj_import
