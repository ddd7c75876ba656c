#include "standin/host/scene_json_mesh.h"

#include <climits>
#include <iterator>
#include <stdexcept>

namespace standin::scene_json {

namespace {

// The members of a "mesh", of a mesh key, and those that describe a mesh's data.
constexpr const char* kMeshFields[] = {"box",          "vertices", "faces",   "smoothing_groups",
                                       "material_ids", "maps",     "normals", "class_id",
                                       "keys",         "hair"};
constexpr const char* kKeyFields[] = {"time",         "vertices", "faces",  "smoothing_groups",
                                      "material_ids", "maps",     "normals"};
constexpr const char* kDataFields[] = {"vertices",     "faces", "smoothing_groups",
                                       "material_ids", "maps",  "normals"};

std::string count_of(std::size_t n, const char* what) {
    return std::to_string(n) + " " + what;
}

void read_map_channels(const Value& array, host::Mesh& mesh) {
    const std::size_t n = array.array_size("an array of map channels");
    for (std::size_t i = 0; i < n; ++i) {
        const Value m = array.element(i);
        m.require_object("a map channel {\"channel\", \"vertices\", \"faces\"}",
                         {"channel", "vertices", "faces"});
        const Value channel_value = m.at("channel", "a channel number from 0 to 99");
        const std::size_t ch = static_cast<std::size_t>(channel_value.as_int(0, 99));
        if (ch < mesh.maps.size() &&
            (!mesh.maps[ch].verts.empty() || !mesh.maps[ch].faces.empty())) {
            channel_value.expected("a channel number not given twice");
        }
        if (mesh.maps.size() <= ch) {
            mesh.maps.resize(ch + 1);
        }
        host::MapChannel& map = mesh.maps[ch];
        read_uvw_points(m.at("vertices", "an array of texture points"), map.verts);
        const Value faces = m.at("faces", "an array of integer triples, one per mesh face");
        read_index_triples(faces, static_cast<std::uint32_t>(map.verts.size()),
                           "a texture point index", map.faces);
        if (map.faces.size() != mesh.faces.size()) {
            faces.expected(count_of(mesh.faces.size(), "integer triples, one per mesh face"));
        }
    }
}

void read_normals(const Value& v, host::Mesh& mesh) {
    v.require_object("specified normals {\"normals\", \"faces\", \"explicit\"}",
                     {"normals", "faces", "explicit"});
    host::MeshNormalSpec normal_spec;
    read_points(v.at("normals", "an array of normals [x, y, z]"), normal_spec.normals);
    const std::int64_t count = static_cast<std::int64_t>(normal_spec.normals.size());
    const Value faces = v.at("faces", "an array of normal index triples, one per mesh face");
    const std::string per_face =
        count_of(mesh.faces.size(), "normal index triples, one per mesh face");
    if (faces.array_size(per_face) != mesh.faces.size()) {
        faces.expected(per_face);
    }
    normal_spec.face_normal_ids.resize(mesh.faces.size());
    for (std::size_t f = 0; f < mesh.faces.size(); ++f) {
        const Value triple = faces.element(f);
        if (triple.array_size("a triple of normal indices (-1 for none)") != 3) {
            triple.expected("a triple of normal indices (-1 for none)");
        }
        for (std::size_t k = 0; k < 3; ++k) {
            normal_spec.face_normal_ids[f][k] =
                static_cast<int>(triple.element(k).as_integer(-1, count - 1));
        }
    }
    normal_spec.explicit_normal.assign(normal_spec.normals.size(), 1);
    if (const auto flags = v.find("explicit")) {
        for_each_integer(*flags, normal_spec.normals.size(), 0, 1, "0 or 1 flags, one per normal",
                         [&](std::size_t i, std::int64_t x) {
                             normal_spec.explicit_normal[i] = static_cast<std::uint8_t>(x);
                         });
    }
    mesh.normal_spec = std::move(normal_spec);
}

// The mesh data of v, whose members are checked by the caller. Every face has smoothing group 1
// and material id 0 unless the file says otherwise.
host::Mesh read_mesh_data(const Value& v) {
    host::Mesh mesh;
    read_points(v.at("vertices", "an array of points [x, y, z]"), mesh.verts);
    const Value faces = v.at("faces", "an array of integer triples");
    mesh.faces.reserve(faces.array_size("an array of integer triples"));
    for_each_index_triple(faces, static_cast<std::uint32_t>(mesh.verts.size()), "a vertex index",
                          [&](std::size_t, const std::array<std::uint32_t, 3>& t) {
                              host::Face f;
                              f.v = t;
                              f.smoothing_group = 1;
                              mesh.faces.push_back(f);
                          });
    const std::size_t nf = mesh.faces.size();
    if (const auto groups = v.find("smoothing_groups")) {
        for_each_integer(*groups, nf, 0, 0xFFFFFFFFLL, "smoothing masks, one per face",
                         [&](std::size_t i, std::int64_t g) {
                             mesh.faces[i].smoothing_group = static_cast<std::uint32_t>(g);
                         });
    }
    if (const auto ids = v.find("material_ids")) {
        for_each_integer(*ids, nf, 0, 0xFFFF, "material ids, one per face",
                         [&](std::size_t i, std::int64_t id) {
                             mesh.faces[i].material_id = static_cast<std::uint16_t>(id);
                         });
    }
    if (const auto maps = v.find("maps")) {
        read_map_channels(*maps, mesh);
    }
    if (const auto normals = v.find("normals")) {
        read_normals(*normals, mesh);
    }
    return mesh;
}

host::TimeValue read_time(const Value& v) {
    return static_cast<host::TimeValue>(
        v.as_integer(host::kTimeNegInfinity + 1LL, host::kTimePosInfinity - 1LL));
}

void read_mesh_keys(const Value& array, MeshObject& object) {
    const std::size_t n = array.array_size("an array of mesh keys");
    const std::size_t nv = object.base_mesh().verts.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Value key = array.element(i);
        key.require_object("a mesh key {\"time\", \"vertices\", ...}", kKeyFields,
                           std::size(kKeyFields));
        const host::TimeValue t = read_time(key.at("time", "a time in ticks"));
        if (!key.find("faces")) {
            const Value verts = key.at("vertices", "an array of points [x, y, z]");
            std::vector<host::Point3> positions;
            read_points(verts, positions);
            if (positions.size() != nv) {
                verts.expected(count_of(nv,
                                        "points, one per mesh vertex (or a whole mesh "
                                        "with \"faces\")"));
            }
            object.add_vertex_key(t, positions);
        } else {
            object.add_mesh_key(t, read_mesh_data(key));
        }
    }
}

HairSettings read_hair(const Value& v) {
    v.require_object("hair {\"root_thickness\", \"tip_thickness\", \"root_color\", ...}",
                     {"root_thickness", "tip_thickness", "root_color", "tip_color", "hue_variation",
                      "value_variation", "strands"});
    HairSettings h;
    h.root_thickness = float_or(v, "root_thickness", h.root_thickness);
    h.tip_thickness = float_or(v, "tip_thickness", h.tip_thickness);
    h.root_color = color_or(v, "root_color", h.root_color);
    h.tip_color = color_or(v, "tip_color", h.tip_color);
    h.hue_variation = float_or(v, "hue_variation", h.hue_variation);
    h.value_variation = float_or(v, "value_variation", h.value_variation);
    if (const auto strands = v.find("strands")) {
        const std::size_t n = strands->array_size("an array of strands (arrays of points)");
        h.strands.resize(n);
        for (std::size_t i = 0; i < n; ++i) {
            read_points(strands->element(i), h.strands[i]);
        }
    }
    return h;
}

}  // namespace

Node& add_mesh_node(ReadContext& ctx, const Value& v, std::u16string name, Node* parent) {
    v.require_object("a mesh {\"vertices\", \"faces\", ...} or {\"box\": [x, y, z], ...}",
                     kMeshFields, std::size(kMeshFields));
    host::Mesh mesh;
    if (const auto box = v.find("box")) {
        for (const char* data : kDataFields) {
            if (const auto other = v.find(data)) {
                other->fail("unexpected beside \"box\"; a mesh is either a box or its data");
            }
        }
        mesh = make_box_mesh(box->as_point3());
    } else {
        mesh = read_mesh_data(v);
    }
    host::ClassId cid = host::kTriObjectClassId;
    if (const auto c = v.find("class_id")) {
        cid = c->as_class_id();
    }
    try {
        Node& node = ctx.scene.add_geometry_node(std::move(name), std::move(mesh), cid, parent);
        MeshObject& object = *node.mesh_object();
        if (const auto keys = v.find("keys")) {
            read_mesh_keys(*keys, object);
        }
        if (const auto hair = v.find("hair")) {
            object.set_hair(read_hair(*hair));
        }
        return node;
    } catch (const std::invalid_argument& e) {
        // The checks above name the exact place; the model's own check is only the backstop.
        v.fail(e.what());
    }
}

}  // namespace standin::scene_json
