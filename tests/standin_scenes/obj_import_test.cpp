// The streaming OBJ import on files the tests write: objects and groups to nodes, points re-indexed
// per node in file order, every form of face corner, polygons, .mtl materials, errors that name
// the face and the index, and the change of up axis.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/utf.h"
#include "standin/host/import_axes.h"
#include "standin/host/obj_import.h"
#include "standin/host/png_file.h"
#include "tests/standin_scenes/temp_folder.h"

namespace {

using standin::Node;
using standin::Scene;

// Four corners of the unit square, then a fifth point no face uses.
const std::string kSquare = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv 7 7 7\n";

void expect_point(const host::Point3& p, const host::Point3& q) {
    EXPECT_NEAR(p.x, q.x, 1e-6f);
    EXPECT_NEAR(p.y, q.y, 1e-6f);
    EXPECT_NEAR(p.z, q.z, 1e-6f);
}

class ObjImport : public ::testing::Test {
  protected:
    // Writes text as name in the test's folder and imports it into a fresh scene.
    Scene& import(const std::string& text, const std::string& name = "model.obj",
                  const standin::ObjImportOptions& options = {}) {
        scene_ = std::make_unique<Scene>();
        standin::import_obj(*scene_, folder_.write(name, text), options);
        return *scene_;
    }
    // The top-level nodes: name and face count, in order.
    std::vector<std::pair<std::u16string, int>> nodes() const {
        std::vector<std::pair<std::u16string, int>> out;
        for (int i = 0; i < scene_->root_node()->child_count(); ++i) {
            auto* node = static_cast<Node*>(scene_->root_node()->child(i));
            EXPECT_NE(node->mesh_object(), nullptr);
            out.emplace_back(node->name(), node->mesh_object()
                                               ? node->mesh_object()->base_mesh().face_count()
                                               : -1);
        }
        return out;
    }
    const host::Mesh& mesh(const std::u16string& name) const {
        Node* node = scene_->find_node(name);
        EXPECT_NE(node, nullptr) << platform::utf16_to_utf8(name);
        return node->mesh_object()->base_mesh();
    }
    host::Material* material(const std::u16string& name) const {
        return scene_->find_node(name)->material();
    }

    standin_test::TempFolder folder_;
    std::unique_ptr<Scene> scene_;
};

TEST_F(ObjImport, ObjectsAndGroupsBecomeTopLevelNodesInFileOrder) {
    struct Case {
        const char* what;
        std::string text;
        std::vector<std::pair<std::u16string, int>> nodes;
    };
    const Case cases[] = {
        {"objects", "o A\nf 1 2 3\no B\nf 1 3 4\nf 2 3 4\n", {{u"A", 1}, {u"B", 2}}},
        {"groups only", "g A\nf 1 2 3\ng B\nf 1 3 4\n", {{u"A", 1}, {u"B", 1}}},
        {"groups of several names", "g left arm\nf 1 2 3\n", {{u"left arm", 1}}},
        {"groups within objects",
         "o A\nf 1 2 3\ng x\nf 1 3 4\no B\ng y\nf 2 3 4\n",
         {{u"A", 2}, {u"B", 1}}},
        {"groups before the first object",
         "g G\nf 1 2 3\no A\nf 1 3 4\ng H\nf 2 3 4\n",
         {{u"G", 1}, {u"A", 2}}},
        {"faces before any name", "f 1 2 3\no A\nf 1 3 4\n", {{u"model", 1}, {u"A", 1}}},
        {"objects without faces", "o Empty\no A\nf 1 2 3\no Last\n", {{u"A", 1}}},
        {"a nameless object", "o A\nf 1 2 3\no  \nf 1 3 4\n", {{u"A", 1}, {u"model", 1}}},
        {"names in UTF-8, spaces trimmed", "o  W\xC3\xBCrfel \t\nf 1 2 3\n", {{u"W\u00FCrfel", 1}}},
        {"lines, points and faces of two corners", "o A\nl 1 2\np 1\nf 1 2\nf 3\n", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        import(kSquare + c.text);
        EXPECT_EQ(nodes(), c.nodes);
    }
}

TEST_F(ObjImport, EachNodeHoldsThePointsItUsesInFileOrder) {
    import(kSquare +
           "o A\nf 4 2 3\n"              // uses v2, v3, v4 (not in file order)
           "v 5 5 5\nv 6 6 6\n"          // v6, v7
           "o B\nf 7 1 -1\nf 6 1 4\n");  // earlier points too, and -1 is v7
    const host::Mesh& a = mesh(u"A");
    ASSERT_EQ(a.vertex_count(), 3);
    expect_point(a.verts[0], {1, 0, 0});
    expect_point(a.verts[1], {1, 1, 0});
    expect_point(a.verts[2], {0, 1, 0});
    EXPECT_EQ(a.faces[0].v, (std::array<std::uint32_t, 3>{2, 0, 1}));

    const host::Mesh& b = mesh(u"B");
    ASSERT_EQ(b.vertex_count(), 4);  // v1, v4, v6, v7; the unused v5 is dropped
    expect_point(b.verts[0], {0, 0, 0});
    expect_point(b.verts[1], {0, 1, 0});
    expect_point(b.verts[2], {5, 5, 5});
    expect_point(b.verts[3], {6, 6, 6});
    EXPECT_EQ(b.faces[0].v, (std::array<std::uint32_t, 3>{3, 0, 3}));
    EXPECT_EQ(b.faces[1].v, (std::array<std::uint32_t, 3>{2, 0, 1}));
    for (const host::Face& f : b.faces) {
        EXPECT_EQ(f.smoothing_group, 1u);
        EXPECT_EQ(f.material_id, 0);
    }
    EXPECT_FALSE(b.normal_spec.has_value());
    EXPECT_TRUE(b.maps.empty());
}

TEST_F(ObjImport, NodesWhosePointsLieFarApartAreReindexedInFileOrderToo) {
    std::string text;
    for (int i = 1; i <= 3000; ++i) {
        text += "v " + std::to_string(i) + " 0 0\n";
    }
    import(text + "o A\nf 3000 1 1500\no B\nf 2 2999 1\n");
    for (const auto& [name, xs, face] :
         {std::tuple<std::u16string, std::vector<float>, std::array<std::uint32_t, 3>>{
              u"A", {1, 1500, 3000}, {2, 0, 1}},
          std::tuple<std::u16string, std::vector<float>, std::array<std::uint32_t, 3>>{
              u"B", {1, 2, 2999}, {1, 2, 0}}}) {
        SCOPED_TRACE(platform::utf16_to_utf8(name));
        const host::Mesh& m = mesh(name);
        ASSERT_EQ(m.verts.size(), xs.size());
        for (std::size_t i = 0; i < xs.size(); ++i) {
            EXPECT_EQ(m.verts[i].x, xs[i]);
        }
        EXPECT_EQ(m.faces[0].v, face);
    }
}

TEST_F(ObjImport, NegativeIndicesCountBackFromTheLastPointReadSoFar) {
    import(
        "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0.5 0.5\nvn 0 0 1\n"
        "f -3/-1/-1 -2/-1/-1 -1/-1/-1\n"
        "v 0 0 5\nvt 0.25 0.75\nvn 1 0 0\n"
        "f -4/-2/-1 -1/-1/-2 -2/-1/-1\n");
    const host::Mesh& m = mesh(u"model");
    ASSERT_EQ(m.face_count(), 2);
    expect_point(m.verts[m.faces[1].v[0]], {0, 0, 0});
    expect_point(m.verts[m.faces[1].v[1]], {0, 0, 5});
    expect_point(m.verts[m.faces[1].v[2]], {0, 1, 0});
    expect_point(m.maps[1].verts[m.map_face(1, 0)[0]], {0.5f, 0.5f, 0});
    expect_point(m.maps[1].verts[m.map_face(1, 1)[0]], {0.5f, 0.5f, 0});
    expect_point(m.maps[1].verts[m.map_face(1, 1)[1]], {0.25f, 0.75f, 0});
    const host::MeshNormalSpec& specified = *m.normal_spec;
    expect_point(specified.normals[specified.face_normal_ids[1][0]], {1, 0, 0});
    expect_point(specified.normals[specified.face_normal_ids[1][1]], {0, 0, 1});
}

TEST_F(ObjImport, EveryCornerFormGivesItsTexturePointsAndNormals) {
    const std::string points = kSquare + "vt 0 0\nvt 1 0 0.5\nvt 1 1\nvn 0 0 1\nvn 0 1 0\n";
    struct Case {
        const char* face;
        bool texture;
        bool normals;
    };
    const Case cases[] = {{"f 1 2 3", false, false},
                          {"f 1/1 2/2 3/3", true, false},
                          {"f 1//2 2//1 3//1", false, true},
                          {"f 1/1/2 2/2/1 3/3/1", true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.face);
        import(points + c.face + "\n");
        const host::Mesh& m = mesh(u"model");
        ASSERT_EQ(m.face_count(), 1);
        EXPECT_EQ(m.map_support(1), c.texture);
        if (c.texture) {
            ASSERT_EQ(m.maps.size(), 2u);
            EXPECT_EQ(m.maps[1].verts.size(), 3u);
            // Numbered like the positions, the texture points share the mesh's face indices.
            EXPECT_TRUE(m.maps[1].shares_mesh_faces);
            expect_point(m.maps[1].verts[m.map_face(1, 0)[1]], {1, 0, 0.5f});  // w as given
            expect_point(m.maps[1].verts[m.map_face(1, 0)[2]], {1, 1, 0});
        } else {
            EXPECT_TRUE(m.maps.empty());
        }
        EXPECT_EQ(m.normal_spec.has_value(), c.normals);
        if (c.normals) {
            const host::MeshNormalSpec& specified = *m.normal_spec;
            ASSERT_EQ(specified.normals.size(), 2u);
            EXPECT_EQ(specified.explicit_normal, (std::vector<std::uint8_t>{1, 1}));
            expect_point(specified.normals[specified.face_normal_ids[0][0]], {0, 1, 0});
            expect_point(specified.normals[specified.face_normal_ids[0][1]], {0, 0, 1});
        }
    }
}

TEST_F(ObjImport, CornersWithoutTexturePointsOrNormalsAmongOthersThatHaveThem) {
    import(kSquare +
           "vt 0.5 0.5\nvt 0.25 0.25\nvn 0 0 1\n"
           "f 1 2 3\n"              // before any corner names a texture point
           "f 1/2/1 3/1/1 4/1/1\n"  // every corner named
           "f 1/2 2 3//1\n");       // some of each
    const host::Mesh& m = mesh(u"model");
    ASSERT_EQ(m.face_count(), 3);
    ASSERT_TRUE(m.map_support(1));
    const host::MapChannel& map = m.maps[1];
    ASSERT_EQ(map.verts.size(), 3u);  // the two texture points and one shared zero point
    expect_point(map.verts[2], {0, 0, 0});
    EXPECT_FALSE(map.shares_mesh_faces);
    EXPECT_EQ(map.faces[0], (std::array<std::uint32_t, 3>{2, 2, 2}));
    EXPECT_EQ(map.faces[1], (std::array<std::uint32_t, 3>{1, 0, 0}));
    EXPECT_EQ(map.faces[2], (std::array<std::uint32_t, 3>{1, 2, 2}));

    const host::MeshNormalSpec& specified = *m.normal_spec;
    ASSERT_EQ(specified.normals.size(), 1u);
    EXPECT_EQ(specified.face_normal_ids[0], (std::array<int, 3>{-1, -1, -1}));
    EXPECT_EQ(specified.face_normal_ids[1], (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(specified.face_normal_ids[2], (std::array<int, 3>{-1, -1, 0}));
}

double area_z(const host::Mesh& m, const host::Face& f) {
    const host::Point3 a = m.verts[f.v[0]];
    return 0.5 * host::cross(m.verts[f.v[1]] - a, m.verts[f.v[2]] - a).z;
}

TEST_F(ObjImport, QuadsAreFansAndConcavePolygonsBecomeTrianglesInsideThem) {
    import(
        "o Flat\nv 0 0 0\nv 2 0 0\nv 2 2 0\nv 0 2 0\nf 1 2 3 4\n"
        "o Notch\nv 0 0 1\nv 4 0 1\nv 4 4 1\nv 2 1 1\nv 0 4 1\nf 5 6 7 8 9\n"
        "o Down\nf 9 8 7 6 5\n");
    const host::Mesh& flat = mesh(u"Flat");
    ASSERT_EQ(flat.face_count(), 2);
    EXPECT_EQ(flat.faces[0].v, (std::array<std::uint32_t, 3>{0, 1, 2}));
    EXPECT_EQ(flat.faces[1].v, (std::array<std::uint32_t, 3>{0, 2, 3}));

    // The pentagon (area 10) with its notch at (2, 1): triangles inside it, facing its side.
    for (const auto& [name, side] : {std::pair<std::u16string, double>{u"Notch", 1.0},
                                     std::pair<std::u16string, double>{u"Down", -1.0}}) {
        SCOPED_TRACE(platform::utf16_to_utf8(name));
        const host::Mesh& m = mesh(name);
        ASSERT_EQ(m.face_count(), 3);
        double area = 0.0;
        for (const host::Face& f : m.faces) {
            EXPECT_GT(side * area_z(m, f), 0.0);
            area += side * area_z(m, f);
        }
        EXPECT_NEAR(area, 10.0, 1e-5);
    }
}

TEST_F(ObjImport, MaterialsComeFromTheLibraryOnceEach) {
    std::filesystem::create_directories(folder_.path() / "lib" / "maps");
    ASSERT_TRUE(standin::write_png(folder_.file("lib/maps/wood.png"), 1, 1, {9, 9, 9, 255}));
    folder_.write("lib/looks.mtl",
                  "newmtl Wood\n"
                  "Kd 0.5 0.25 0.125\nKs 0.2 0.3 0.4\nNs 250\n"
                  "map_Kd -s 2 3 1 -o 0.25 0.5 0 maps\\wood.png\n"
                  "newmtl Bare\n"
                  "newmtl Shiny\nNs 4000\n");
    import(kSquare +
           "mtllib lib/looks.mtl\n"
           "o Two\nf 1 2 3\nusemtl Wood\nf 1 3 4\nusemtl Bare\nf 2 3 4\n"
           "usemtl Wood\nf 1 2 4\n"
           "o One\nusemtl Wood\nf 1 2 3\n"
           "o Three\nusemtl Nowhere\nf 1 2 3\n"
           "o Four\nusemtl Shiny\nf 1 2 3\n"
           "o Five\nf 1 2 3\n");  // the last usemtl holds on

    host::StdMaterial* wood = material(u"One")->as_std_material();
    ASSERT_NE(wood, nullptr);
    EXPECT_EQ(wood->name(), u"Wood");
    EXPECT_EQ(wood->diffuse_at(0), host::Color(0.5f, 0.25f, 0.125f));
    EXPECT_EQ(wood->specular_at(0), host::Color(0.2f, 0.3f, 0.4f));
    EXPECT_FLOAT_EQ(wood->specular_level_at(0), 1.0f);
    EXPECT_FLOAT_EQ(wood->shininess(), 0.25f);
    host::Texmap* map = wood->sub_texmap(standin::kDiffuseSlot);
    ASSERT_NE(map, nullptr);
    EXPECT_TRUE(wood->map_enabled(standin::kDiffuseSlot));
    EXPECT_EQ(map->map_channel(), 1);
    auto* bitmap = static_cast<standin::BitmapTexture*>(map->as_bitmap_tex());
    ASSERT_NE(bitmap, nullptr);
    // Relative to the .mtl's folder, the backslash taken as a slash; the file is there.
    EXPECT_TRUE(std::filesystem::equivalent(platform::utf16_to_utf8(bitmap->file()),
                                            folder_.file("lib/maps/wood.png")));
    EXPECT_TRUE(bitmap->loaded());
    EXPECT_EQ(bitmap->name(), u"wood");
    EXPECT_FLOAT_EQ(bitmap->coordinates().u_tiling, 2.0f);
    EXPECT_FLOAT_EQ(bitmap->coordinates().v_tiling, 3.0f);
    EXPECT_FLOAT_EQ(bitmap->coordinates().u_offset, 0.25f);
    EXPECT_FLOAT_EQ(bitmap->coordinates().v_offset, 0.5f);

    // Faces before any usemtl have no material: an empty slot of the Multi/Sub-Object material.
    host::Material* multi = material(u"Two");
    ASSERT_EQ(multi->class_id(), host::kMultiMaterialClassId);
    ASSERT_EQ(multi->sub_material_count(), 3);
    EXPECT_EQ(multi->sub_material(0), nullptr);
    EXPECT_EQ(multi->sub_material(1), wood);  // made once for the whole file
    ASSERT_NE(multi->sub_material(2), nullptr);
    EXPECT_EQ(multi->sub_material(2)->name(), u"Bare");
    const host::Mesh& two = mesh(u"Two");
    std::vector<int> ids;
    for (const host::Face& f : two.faces) {
        ids.push_back(f.material_id);
    }
    EXPECT_EQ(ids, (std::vector<int>{0, 1, 2, 1}));

    // Without Kd and Ns a material is the grey of the assimp import, not black.
    host::StdMaterial* bare = multi->sub_material(2)->as_std_material();
    EXPECT_EQ(bare->diffuse_at(0), host::Color(0.6f, 0.6f, 0.6f));
    EXPECT_FLOAT_EQ(bare->shininess(), 0.0f);
    EXPECT_EQ(bare->sub_texmap(standin::kDiffuseSlot), nullptr);
    // A name that the library lacks is no material; shininess stops at 1.
    EXPECT_EQ(material(u"Three"), nullptr);
    EXPECT_FLOAT_EQ(material(u"Four")->shininess(), 1.0f);
    EXPECT_EQ(material(u"Five"), material(u"Four"));
}

TEST_F(ObjImport, EachKindOfMapFillsItsSlot) {
    const std::pair<const char*, int> statements[] = {
        {"map_Kd", standin::kDiffuseSlot},   {"map_Ka", standin::kAmbientSlot},
        {"map_Ks", standin::kSpecularSlot},  {"map_Ns", standin::kGlossinessSlot},
        {"map_Ke", standin::kSelfIllumSlot}, {"map_d", standin::kOpacitySlot},
        {"bump", standin::kBumpSlot},        {"map_bump", standin::kBumpSlot},
        {"norm", standin::kBumpSlot},        {"refl -type sphere", standin::kReflectionSlot},
        {"disp", standin::kDisplacementSlot}};
    for (const auto& [statement, slot] : statements) {
        SCOPED_TRACE(statement);
        folder_.write("one.mtl", std::string("newmtl M\n") + statement + " pic.png\n");
        import(kSquare + "mtllib one.mtl\nusemtl M\nf 1 2 3\n");
        host::StdMaterial* m = material(u"model")->as_std_material();
        ASSERT_NE(m, nullptr);
        for (int i = 0; i < m->sub_texmap_count(); ++i) {
            EXPECT_EQ(m->sub_texmap(i) != nullptr, i == slot) << "slot " << i;
        }
        host::BitmapTex* bitmap = m->sub_texmap(slot)->as_bitmap_tex();
        EXPECT_EQ(platform::utf16_to_utf8(bitmap->map_name()), folder_.file("pic.png"));
        EXPECT_FALSE(static_cast<standin::BitmapTexture*>(bitmap)->loaded());  // no such file
    }
}

TEST_F(ObjImport, AMissingLibraryLeavesTheFacesWithoutMaterial) {
    import(kSquare + "mtllib nowhere.mtl\nusemtl Wood\nf 1 2 3\n");
    EXPECT_EQ(nodes(), (std::vector<std::pair<std::u16string, int>>{{u"model", 1}}));
    EXPECT_EQ(material(u"model"), nullptr);
}

TEST_F(ObjImport, FacesNamingMissingPointsAreErrorsNamingFaceAndIndex) {
    const std::string points = kSquare + "vt 0 0\nvn 0 0 1\n";
    const std::pair<const char*, const char*> cases[] = {
        {"f 1 2 3\nf 0 1 2\n", "face 2 names vertex 0 of 5"},
        {"f 1 2 3\nf 1 2 3\nf 1 2 40\n", "face 3 names vertex 40 of 5"},
        {"f -6 1 2\n", "face 1 names vertex -6 of 5"},
        {"f 1/2 2/1 3/1\n", "face 1 names texture point 2 of 1"},
        {"f 1//1 2//1 3//-2\n", "face 1 names normal -2 of 1"},
        {"f 1 2 3 4 9\n", "face 1 names vertex 9 of 5"},
    };
    for (const auto& [faces, reason] : cases) {
        SCOPED_TRACE(faces);
        const std::string path = folder_.write("bad.obj", points + faces);
        Scene scene;
        try {
            standin::import_obj(scene, path);
            ADD_FAILURE() << "no error";
        } catch (const standin::SceneFileError& e) {
            EXPECT_EQ(std::string(e.what()), path + ": " + reason);
        }
    }
}

TEST_F(ObjImport, UnreadablePathsAreErrorsStartingWithThePath) {
    std::filesystem::create_directory(folder_.path() / "folder.obj");
    for (const std::string& path : {folder_.file("missing.obj"), folder_.file("folder.obj")}) {
        SCOPED_TRACE(path);
        Scene scene;
        try {
            standin::import_obj(scene, path);
            ADD_FAILURE() << "no error";
        } catch (const standin::SceneFileError& e) {
            const std::string message = e.what();
            EXPECT_EQ(message.rfind(path + ": ", 0), 0u) << message;
            EXPECT_GT(message.size(), path.size() + 2) << message;
        }
        EXPECT_EQ(scene.root_node()->child_count(), 0);
    }
}

TEST_F(ObjImport, NodesCarryTheTurnFromYUpToZUpUnlessAskedNot) {
    import(kSquare + "f 1 2 3\n");
    Node& turned = *scene_->find_node(u"model");
    EXPECT_EQ(turned.local_transform(0, nullptr), standin::kYUpToZUp);
    // The file's y is the host's z; the vertices stay as the file has them.
    expect_point(host::Point3(0, 1, 0) * turned.node_tm(0, nullptr), {0, 0, 1});
    expect_point(mesh(u"model").verts[2], {1, 1, 0});

    standin::ObjImportOptions options;
    options.z_up = false;
    import(kSquare + "f 1 2 3\n", "model.obj", options);
    EXPECT_EQ(scene_->find_node(u"model")->local_transform(0, nullptr), host::Matrix3());
}

}  // namespace
