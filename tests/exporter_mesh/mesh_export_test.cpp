// Meshes through the exporter into a scene file and back: vertex splitting by normals and texture
// coordinates, one object per material slot, explicit normals, the object offset, the filters and
// empty meshes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "standin/host/mesh_tools.h"
#include "tests/exporter_scene/scene_export.h"

namespace {

using scene_test::ExportedScene;
using scene_test::ExportSettings;
using scene_test::outline;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::SizeIs;

// One object as read back: its arrays and its material's name.
struct WrittenMesh {
    std::string name;
    std::vector<float> vertices;  // x y z per vertex
    std::vector<float> normals;
    std::vector<float> uv;  // u v per vertex
    std::vector<std::int32_t> triangles;
    std::string material;

    std::size_t vertex_count() const { return vertices.size() / 3; }
    host::Point3 normal(std::size_t i) const {
        return {normals[3 * i], normals[3 * i + 1], normals[3 * i + 2]};
    }
};

template <class T>
std::vector<T> array_of(const vsf::Block& geometry, const char* name,
                        std::vector<T> vsf::Array::*storage) {
    const vsf::Param* param = geometry.param(name);
    const vsf::Array* array = param ? param->array() : nullptr;
    return array ? (*array).*storage : std::vector<T>{};
}

// The objects in the group of the node named node (directly inside "object").
std::vector<WrittenMesh> meshes_of(const ExportedScene& out, const std::string& node) {
    std::vector<WrittenMesh> meshes;
    const vsf::Block* group = out.object_group().block("group", node);
    if (!group) {
        ADD_FAILURE() << "no group " << node;
        return meshes;
    }
    for (const vsf::Block& object : group->blocks) {
        if (object.keyword != "object") {
            continue;
        }
        WrittenMesh mesh;
        mesh.name = object.name();
        if (const vsf::Block* geometry = object.block("geometry")) {
            mesh.vertices = array_of(*geometry, "vertices", &vsf::Array::floats);
            mesh.normals = array_of(*geometry, "normals", &vsf::Array::floats);
            mesh.uv = array_of(*geometry, "uv_tex", &vsf::Array::floats);
            mesh.triangles = array_of(*geometry, "triangles", &vsf::Array::ints);
        }
        if (const vsf::Block* material = object.block("material")) {
            mesh.material = material->name();
        }
        meshes.push_back(mesh);
    }
    return meshes;
}

MATCHER_P(NearPoint, expected, "") {
    return std::fabs(arg.x - expected.x) < 1e-5f && std::fabs(arg.y - expected.y) < 1e-5f &&
           std::fabs(arg.z - expected.z) < 1e-5f;
}

// Exactly one axis of the normal is +-1.
MATCHER(AxisAligned, "") {
    const float ax = std::fabs(arg.x);
    const float ay = std::fabs(arg.y);
    const float az = std::fabs(arg.z);
    return std::fabs(ax + ay + az - 1.0f) < 1e-5f &&
           (std::fabs(ax - 1.0f) < 1e-5f || std::fabs(ay - 1.0f) < 1e-5f ||
            std::fabs(az - 1.0f) < 1e-5f);
}

std::vector<host::Point3> normals_of(const WrittenMesh& mesh) {
    std::vector<host::Point3> out;
    for (std::size_t i = 0; i < mesh.vertex_count(); ++i) {
        out.push_back(mesh.normal(i));
    }
    return out;
}

host::Mesh box_with_groups(std::uint32_t (*group_of_side)(int side)) {
    host::Mesh mesh = standin::make_box_mesh({1.0f, 2.0f, 4.0f});
    for (std::size_t f = 0; f < mesh.faces.size(); ++f) {
        mesh.faces[f].smoothing_group = group_of_side(static_cast<int>(f / 2));
    }
    return mesh;
}

TEST(MeshExport, ABoxInOneSmoothingGroupSharesItsEightCorners) {
    standin::Scene scene;
    scene.add_mesh_node(u"Box", standin::make_box_mesh({1.0f, 2.0f, 4.0f}));

    const std::vector<WrittenMesh> meshes = meshes_of(ExportedScene(scene), "Box");

    ASSERT_THAT(meshes, SizeIs(1));
    const WrittenMesh& box = meshes[0];
    EXPECT_EQ(box.name, "Box");
    EXPECT_EQ(box.vertex_count(), 8u);
    EXPECT_THAT(box.triangles, SizeIs(36));
    EXPECT_THAT(box.normals, SizeIs(24));
    const float d = 1.0f / std::sqrt(3.0f);
    for (std::size_t i = 0; i < box.vertex_count(); ++i) {
        const host::Point3 p(box.vertices[3 * i], box.vertices[3 * i + 1], box.vertices[3 * i + 2]);
        EXPECT_THAT(box.normal(i),
                    NearPoint(host::Point3(p.x < 0 ? -d : d, p.y < 0 ? -d : d, p.z < 0 ? -d : d)));
    }
    // No material with a map: no texture coordinates.
    EXPECT_TRUE(box.uv.empty());
}

struct FacetedCase {
    const char* name;
    std::uint32_t (*group_of_side)(int side);
};

class FacetedBox : public ::testing::TestWithParam<FacetedCase> {};

TEST_P(FacetedBox, SplitsEveryCornerIntoOneVertexPerSide) {
    standin::Scene scene;
    scene.add_mesh_node(u"Box", box_with_groups(GetParam().group_of_side));

    const std::vector<WrittenMesh> meshes = meshes_of(ExportedScene(scene), "Box");

    ASSERT_THAT(meshes, SizeIs(1));
    EXPECT_EQ(meshes[0].vertex_count(), 24u);
    EXPECT_THAT(normals_of(meshes[0]), Each(AxisAligned()));
}

INSTANTIATE_TEST_SUITE_P(
    Groups, FacetedBox,
    ::testing::Values(FacetedCase{"six_groups", [](int side) { return 1u << side; }},
                      // Faces without smoothing groups keep their own face normals.
                      FacetedCase{"no_groups", [](int) { return 0u; }}),
    [](const ::testing::TestParamInfo<FacetedCase>& param_info) { return param_info.param.name; });

TEST(MeshExport, MaterialIdsWrapAroundTheSubMaterialsOneObjectPerMaterial) {
    standin::Scene scene;
    standin::StandardMaterial& red = scene.add_standard_material(u"Red");
    standin::StandardMaterial& green = scene.add_standard_material(u"Green");
    standin::StandardMaterial& blue = scene.add_standard_material(u"Blue");
    standin::MultiMaterial& multi = scene.add_multi_material(u"Multi", 3);
    multi.set_sub_material(0, &red);
    multi.set_sub_material(1, &green);
    multi.set_sub_material(2, &blue);
    // The box's sides carry material ids 0 to 5: ids 3, 4, 5 fall on sub-materials 0, 1, 2.
    standin::Node& node = scene.add_mesh_node(u"Box", standin::make_box_mesh({1, 1, 1}));
    node.set_material(&multi);

    const std::vector<WrittenMesh> meshes = meshes_of(ExportedScene(scene), "Box");

    ASSERT_THAT(meshes, SizeIs(3));
    std::vector<std::string> materials;
    for (const WrittenMesh& mesh : meshes) {
        EXPECT_EQ(mesh.name, "Box");
        EXPECT_THAT(mesh.triangles, SizeIs(12)) << mesh.material;  // two sides each
        materials.push_back(mesh.material);
    }
    EXPECT_THAT(materials, ElementsAre("Red", "Green", "Blue"));
}

TEST(MeshExport, IdsReachingTheSameSubMaterialShareOneObject) {
    standin::Scene scene;
    standin::StandardMaterial& wood = scene.add_standard_material(u"Wood");
    standin::StandardMaterial& steel = scene.add_standard_material(u"Steel");
    standin::MultiMaterial& multi = scene.add_multi_material(u"Multi", 3);
    multi.set_sub_material(0, &wood);
    multi.set_sub_material(1, &wood);
    multi.set_sub_material(2, &steel);
    standin::Node& node = scene.add_mesh_node(u"Box", standin::make_box_mesh({1, 1, 1}));
    node.set_material(&multi);

    const std::vector<WrittenMesh> meshes = meshes_of(ExportedScene(scene), "Box");

    ASSERT_THAT(meshes, SizeIs(2));
    EXPECT_EQ(meshes[0].material, "Wood");
    EXPECT_THAT(meshes[0].triangles, SizeIs(24));  // ids 0, 1, 3, 4
    EXPECT_EQ(meshes[1].material, "Steel");
    EXPECT_THAT(meshes[1].triangles, SizeIs(12));  // ids 2, 5
    // Each object numbers its own vertices from 0.
    EXPECT_EQ(*std::min_element(meshes[1].triangles.begin(), meshes[1].triangles.end()), 0);
}

// A square of two triangles (corners 0 1 2 and 2 3 0) whose texture coordinates at the shared
// corner 2 differ between the triangles by delta, with a textured material so that they count.
std::size_t square_vertices_with_uv_gap(float delta) {
    standin::Scene scene;
    host::Mesh mesh;
    mesh.verts = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    mesh.faces = {host::Face{{0, 1, 2}, 1, 0}, host::Face{{2, 3, 0}, 1, 0}};
    host::MapChannel uv;
    uv.verts = {{0.5f, 0, 0}, {1, 0, 0}, {0, 0, 0}, {delta, 0, 0}, {0, 1, 0}};
    uv.faces = {{0, 1, 2}, {3, 4, 0}};
    mesh.maps.resize(2);
    mesh.maps[1] = uv;
    standin::StandardMaterial& material = scene.add_standard_material(u"Textured");
    material.set_map(standin::kDiffuseSlot,
                     &scene.add_bitmap_texture(u"Map", u"/maps/missing.png"));
    scene.add_mesh_node(u"Square", mesh).set_material(&material);

    const std::vector<WrittenMesh> meshes = meshes_of(ExportedScene(scene), "Square");
    if (meshes.size() != 1 || meshes[0].uv.size() != 2 * meshes[0].vertex_count()) {
        ADD_FAILURE() << "expected one object with one texture coordinate per vertex";
        return 0;
    }
    return meshes[0].vertex_count();
}

TEST(MeshExport, TextureCoordinatesCloserThanSinglePrecisionEpsilonAreOne) {
    EXPECT_EQ(square_vertices_with_uv_gap(1e-6f), 5u);
    EXPECT_EQ(square_vertices_with_uv_gap(1e-8f), 4u);
}

std::vector<WrittenMesh> export_textured(const host::Mesh& mesh) {
    standin::Scene scene;
    standin::StandardMaterial& material = scene.add_standard_material(u"Textured");
    material.set_map(standin::kDiffuseSlot,
                     &scene.add_bitmap_texture(u"Map", u"/maps/missing.png"));
    scene.add_mesh_node(u"Fan", mesh).set_material(&material);
    return meshes_of(ExportedScene(scene), "Fan");
}

TEST(MeshExport, AChannelSharingTheMeshFacesWritesWhatItsOwnCopyWould) {
    // A fan around vertex 0 whose texture points are numbered like the vertices, with a crease
    // (two smoothing groups) so that the vertices on it split.
    host::Mesh mesh;
    mesh.verts = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0.5f}, {0, 1, 0}, {-1, 1, 1}};
    mesh.faces = {host::Face{{0, 1, 2}, 1, 0}, host::Face{{0, 2, 3}, 1, 0},
                  host::Face{{0, 3, 4}, 2, 0}};
    mesh.maps.resize(2);
    for (const host::Point3& p : mesh.verts) {
        mesh.maps[1].verts.push_back({p.x * 0.5f + 0.5f, p.y, 0});
    }
    for (const host::Face& f : mesh.faces) {
        mesh.maps[1].faces.push_back(f.v);
    }
    host::Mesh shared = mesh;
    standin::share_map_faces(shared);
    ASSERT_TRUE(shared.maps[1].shares_mesh_faces);

    const std::vector<WrittenMesh> own = export_textured(mesh);
    const std::vector<WrittenMesh> from_shared = export_textured(shared);

    ASSERT_THAT(own, SizeIs(1));
    ASSERT_THAT(from_shared, SizeIs(1));
    EXPECT_EQ(own[0].vertex_count(), 7u);  // vertices 0 and 3 once per smoothing group
    EXPECT_EQ(from_shared[0].vertices, own[0].vertices);
    EXPECT_EQ(from_shared[0].normals, own[0].normals);
    EXPECT_EQ(from_shared[0].uv, own[0].uv);
    EXPECT_EQ(from_shared[0].triangles, own[0].triangles);
}

TEST(MeshExport, TextureCoordinatesPassThroughTheMapsTransform) {
    standin::Scene scene;
    standin::BitmapTexture& map = scene.add_bitmap_texture(u"Map", u"/maps/tiles.png");
    standin::MapCoordinates tiling;
    tiling.u_tiling = 2.0f;
    map.set_coordinates(tiling);
    standin::StandardMaterial& material = scene.add_standard_material(u"Tiles");
    material.set_map(standin::kDiffuseSlot, &map);
    scene.add_mesh_node(u"Box", standin::make_box_mesh({1, 1, 1})).set_material(&material);

    const std::vector<WrittenMesh> meshes = meshes_of(ExportedScene(scene), "Box");

    ASSERT_THAT(meshes, SizeIs(1));
    const std::vector<float>& uv = meshes[0].uv;
    ASSERT_EQ(uv.size(), 2 * meshes[0].vertex_count());
    float u_min = uv[0];
    float u_max = uv[0];
    for (std::size_t i = 0; i < uv.size(); i += 2) {
        u_min = std::min(u_min, uv[i]);
        u_max = std::max(u_max, uv[i]);
    }
    EXPECT_FLOAT_EQ(u_max - u_min, 2.0f);  // u runs over the tiling, not over 0 to 1
}

TEST(MeshExport, AnExplicitNormalKeepsItsCornerApartInsideOneSmoothingGroup) {
    standin::Scene scene;
    host::Mesh mesh = standin::make_box_mesh({1, 1, 1});
    host::MeshNormalSpec normal_spec;
    normal_spec.normals = {{0.6f, 0.0f, 0.8f}};
    normal_spec.explicit_normal = {1};
    normal_spec.face_normal_ids.assign(mesh.faces.size(), {-1, -1, -1});
    normal_spec.face_normal_ids[0] = {0, -1, -1};
    mesh.normal_spec = normal_spec;
    scene.add_mesh_node(u"Box", mesh);

    const std::vector<WrittenMesh> meshes = meshes_of(ExportedScene(scene), "Box");

    ASSERT_THAT(meshes, SizeIs(1));
    EXPECT_EQ(meshes[0].vertex_count(), 9u);
    EXPECT_THAT(normals_of(meshes[0]), ::testing::Contains(NearPoint(host::Point3(0.6f, 0, 0.8f))));
}

TEST(MeshExport, VerticesAndNormalsAreInTheNodesSpaceThroughTheObjectOffset) {
    standin::Scene scene;
    host::Mesh mesh;
    mesh.verts = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    mesh.faces = {host::Face{{0, 1, 2}, 1, 0}};
    standin::Node& plain = scene.add_mesh_node(u"Plain", mesh);
    standin::Node& offset = scene.add_mesh_node(u"Offset", mesh);
    // A mirror and a turn: the corner order stays as it is.
    offset.set_object_offset(host::Matrix3::scaling({-1, 1, 1}) *
                             host::Matrix3::rotation_x(1.5707964f) *
                             host::Matrix3::translation({0, 0, 5}));
    plain.set_transform(host::Matrix3::translation({3, 0, 0}));

    const ExportedScene out(scene);
    const std::vector<WrittenMesh> plain_meshes = meshes_of(out, "Plain");
    const std::vector<WrittenMesh> offset_meshes = meshes_of(out, "Offset");

    ASSERT_THAT(plain_meshes, SizeIs(1));
    ASSERT_THAT(offset_meshes, SizeIs(1));
    // The node transform is not in the vertices: the group's transform carries it.
    EXPECT_THAT(plain_meshes[0].vertices, ElementsAre(0, 0, 0, 1, 0, 0, 0, 1, 0));
    const WrittenMesh& m = offset_meshes[0];
    ASSERT_EQ(m.vertex_count(), 3u);
    EXPECT_THAT(host::Point3(m.vertices[3], m.vertices[4], m.vertices[5]),
                NearPoint(host::Point3(-1, 0, 5)));
    EXPECT_THAT(host::Point3(m.vertices[6], m.vertices[7], m.vertices[8]),
                NearPoint(host::Point3(0, 0, 6)));
    EXPECT_THAT(m.normal(0), NearPoint(host::Point3(0, -1, 0)));
    EXPECT_EQ(m.triangles, plain_meshes[0].triangles);
}

struct SkipCase {
    const char* name;
    host::ClassId class_id;
    bool bones;
    bool written;
};

class GeometryClasses : public ::testing::TestWithParam<SkipCase> {};

TEST_P(GeometryClasses, AreConvertedThroughATemporaryMeshUnlessFiltered) {
    const SkipCase c = GetParam();
    standin::Scene scene;
    scene.add_geometry_node(u"Geo", standin::make_box_mesh({1, 1, 1}), c.class_id);
    ExportSettings settings;
    settings.options.bones = c.bones;

    const ExportedScene out(scene, settings);

    EXPECT_THAT(meshes_of(out, "Geo"), SizeIs(c.written ? 1 : 0));
    EXPECT_THAT(outline(*out.object_group().block("group", std::string("Geo"))),
                ::testing::Contains("transform"));
    EXPECT_EQ(scene.live_temporaries(), 0);  // every temporary mesh was disposed of
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GeometryClasses,
    ::testing::Values(SkipCase{"primitive", host::ClassId{0x10, 0}, true, true},
                      SkipCase{"bone", host::kBoneClassId, true, true},
                      SkipCase{"bone_off", host::kBoneClassId, false, false},
                      SkipCase{"skipped_class", host::kSkippedGeometryClassId, true, false}),
    [](const ::testing::TestParamInfo<SkipCase>& param_info) { return param_info.param.name; });

struct EmptyCase {
    const char* name;
    std::vector<host::Point3> verts;
};

class EmptyMeshes : public ::testing::TestWithParam<EmptyCase> {};

TEST_P(EmptyMeshes, WriteNoObjectButKeepTheGroupAndTransform) {
    standin::Scene scene;
    host::Mesh mesh;
    mesh.verts = GetParam().verts;
    scene.add_mesh_node(u"Empty", mesh);

    const ExportedScene out(scene);

    EXPECT_THAT(outline(*out.object_group().block("group", std::string("Empty"))),
                ElementsAre("transform"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EmptyMeshes,
    ::testing::Values(EmptyCase{"nothing", {}},
                      EmptyCase{"vertices_without_faces", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}}),
    [](const ::testing::TestParamInfo<EmptyCase>& param_info) { return param_info.param.name; });

}  // namespace
