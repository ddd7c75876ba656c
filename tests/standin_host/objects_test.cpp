// Objects as the conversions see them: world-state evaluation, conversion to a triangle mesh or
// a spline shape with the temporary rule, deforming meshes, and the other object kinds.
#include <gtest/gtest.h>

#include "platform/utf.h"
#include "standin/host/mesh_tools.h"
#include "standin/host/scene.h"

namespace {

using host::Interval;
using host::Point3;

constexpr host::TimeValue kNeg = host::kTimeNegInfinity;
constexpr host::TimeValue kPos = host::kTimePosInfinity;

// Converts the node's object at t to a triangle mesh the way the mesh extraction does, copies
// the mesh out, disposes of a temporary and tells whether there was one.
struct Converted {
    bool converted = false;
    bool temporary = false;
    host::Mesh mesh;
};

Converted convert_to_mesh(host::Node& node, host::TimeValue t) {
    Converted out;
    host::Object* object = node.eval_world_state(t);
    if (object == nullptr || !object->can_convert_to(host::kTriObjectClassId)) {
        return out;
    }
    host::Object* tri = object->convert_to_type(t, host::kTriObjectClassId);
    if (tri == nullptr || tri->as_tri_object() == nullptr) {
        return out;
    }
    out.converted = true;
    out.mesh = tri->as_tri_object()->mesh();
    out.temporary = tri != object;
    if (out.temporary) {
        tri->delete_this();
    }
    return out;
}

TEST(MeshConversion, EditableMeshIsItsOwnTriangleMesh) {
    standin::Scene scene;
    standin::Node& box = scene.add_mesh_node(u"Box", standin::make_box_mesh(Point3(1, 1, 1)));
    const Converted c = convert_to_mesh(box, 0);
    ASSERT_TRUE(c.converted);
    EXPECT_FALSE(c.temporary);
    EXPECT_EQ(c.mesh.vertex_count(), 8);
    EXPECT_EQ(c.mesh.face_count(), 12);
    EXPECT_EQ(scene.live_temporaries(), 0);
}

TEST(MeshConversion, OtherGeometryClassesConvertToTemporariesThatTheCallerDisposesOf) {
    standin::Scene scene;
    standin::Node& bone = scene.add_geometry_node(u"Bone", standin::make_box_mesh(Point3(1, 1, 1)),
                                                  host::kBoneClassId);
    host::Object* object = bone.eval_world_state(0);
    EXPECT_EQ(object->class_id(), host::kBoneClassId);
    EXPECT_EQ(object->super_class_id(), host::kGeomObjectSuperClass);
    EXPECT_EQ(object->as_tri_object(), nullptr);  // a bone is not a triangle-mesh object
    host::Object* tri = object->convert_to_type(0, host::kTriObjectClassId);
    ASSERT_NE(tri, nullptr);
    EXPECT_NE(tri, object);
    EXPECT_EQ(tri->class_id(), host::kTriObjectClassId);
    EXPECT_EQ(scene.live_temporaries(), 1);
    EXPECT_EQ(tri->as_tri_object()->mesh().face_count(), 12);
    tri->delete_this();
    EXPECT_EQ(scene.live_temporaries(), 0);
    // Disposing of an object of the scene does nothing.
    object->delete_this();
    EXPECT_EQ(bone.eval_world_state(0), object);
}

TEST(MeshConversion, TargetsHelpersCamerasAndLightsDoNotBecomeMeshes) {
    standin::Scene scene;
    standin::Node* nodes[] = {
        &scene.add_target_node(u"Target"),
        &scene.add_helper_node(u"Helper"),
        &scene.add_camera_node(u"Camera", standin::CameraSettings{}),
        &scene.add_standard_light_node(u"Omni", standin::StandardLightSettings{}),
    };
    for (standin::Node* n : nodes) {
        SCOPED_TRACE(platform::utf16_to_utf8(n->name()));
        EXPECT_FALSE(convert_to_mesh(*n, 0).converted);
    }
    EXPECT_EQ(nodes[0]->eval_world_state(0)->class_id(), host::kTargetClassId);
    EXPECT_EQ(nodes[0]->eval_world_state(0)->super_class_id(), host::kGeomObjectSuperClass);
    EXPECT_EQ(scene.root().eval_world_state(0), nullptr);
}

TEST(MeshConversion, InconsistentMeshesAreRefusedWithTheReason) {
    standin::Scene scene;
    host::Mesh mesh = standin::make_box_mesh(Point3(1, 1, 1));
    mesh.faces[3].v[1] = 8;
    try {
        scene.add_mesh_node(u"Bad", mesh);
        FAIL() << "accepted a face naming a missing vertex";
    } catch (const std::invalid_argument& e) {
        EXPECT_NE(std::string(e.what()).find("face 3 names vertex 8 of 8"), std::string::npos);
    }
    host::Mesh short_map = standin::make_box_mesh(Point3(1, 1, 1));
    short_map.maps[1].faces.pop_back();
    EXPECT_THROW(scene.add_mesh_node(u"Bad", short_map), std::invalid_argument);
    host::Mesh bad_normals = standin::make_box_mesh(Point3(1, 1, 1));
    bad_normals.normal_spec.emplace();
    bad_normals.normal_spec->normals = {Point3(0, 0, 1)};
    bad_normals.normal_spec->explicit_normal = {1};
    bad_normals.normal_spec->face_normal_ids.assign(12, {0, 0, 1});
    EXPECT_THROW(scene.add_mesh_node(u"Bad", bad_normals), std::invalid_argument);
    EXPECT_TRUE(scene.nodes().empty());
}

TEST(MeshConversion, MapChannelsAndSpecifiedNormalsArriveWhole) {
    host::Mesh mesh = standin::make_box_mesh(Point3(1, 1, 1));
    mesh.maps.resize(3);
    mesh.maps[2].verts = {Point3(0.5f, 0.5f, 0)};
    mesh.maps[2].faces.assign(12, {0, 0, 0});
    mesh.normal_spec.emplace();
    mesh.normal_spec->normals = {Point3(0, 0, 1), Point3(0, 0, -1)};
    mesh.normal_spec->explicit_normal = {1, 0};
    mesh.normal_spec->face_normal_ids.assign(12, {-1, -1, -1});
    mesh.normal_spec->face_normal_ids[2] = {0, 1, -1};
    standin::Scene scene;
    const Converted c = convert_to_mesh(scene.add_mesh_node(u"Box", mesh), 0);
    EXPECT_FALSE(c.mesh.map_support(0));
    EXPECT_TRUE(c.mesh.map_support(1));
    EXPECT_TRUE(c.mesh.map_support(2));
    EXPECT_FALSE(c.mesh.map_support(3));
    EXPECT_EQ(c.mesh.maps[1].faces[5], (std::array<std::uint32_t, 3>{2, 3, 0}));
    ASSERT_TRUE(c.mesh.normal_spec.has_value());
    EXPECT_EQ(c.mesh.normal_spec->face_normal_ids[2], (std::array<int, 3>{0, 1, -1}));
    EXPECT_EQ(c.mesh.normal_spec->explicit_normal, (std::vector<std::uint8_t>{1, 0}));
    EXPECT_EQ(c.mesh.faces[7].material_id, 3);
    EXPECT_EQ(c.mesh.faces[7].smoothing_group, 1u);
}

// A 2 x 1 grid of quads whose texture points are numbered like its vertices.
host::Mesh strip_with_per_vertex_uv() {
    host::Mesh mesh;
    mesh.verts = {Point3(0, 0, 0), Point3(1, 0, 0), Point3(2, 0, 0),
                  Point3(0, 1, 0), Point3(1, 1, 0), Point3(2, 1, 0)};
    mesh.faces = {host::Face{{0, 1, 4}, 1, 0}, host::Face{{0, 4, 3}, 1, 0},
                  host::Face{{1, 2, 5}, 1, 0}, host::Face{{1, 5, 4}, 1, 0}};
    mesh.maps.resize(3);
    for (const Point3& p : mesh.verts) {
        mesh.maps[1].verts.push_back(p * 0.5f);
    }
    for (const host::Face& f : mesh.faces) {
        mesh.maps[1].faces.push_back(f.v);
    }
    mesh.maps[2] = mesh.maps[1];
    mesh.maps[2].faces[3] = {1, 5, 5};  // one corner differs: this channel keeps its own faces
    return mesh;
}

TEST(MeshConversion, MapChannelsNumberedLikeTheVerticesShareTheMeshFaces) {
    host::Mesh mesh = strip_with_per_vertex_uv();
    standin::share_map_faces(mesh);

    EXPECT_TRUE(mesh.maps[1].shares_mesh_faces);
    EXPECT_TRUE(mesh.maps[1].faces.empty());
    EXPECT_FALSE(mesh.maps[2].shares_mesh_faces);
    EXPECT_EQ(mesh.maps[2].faces.size(), 4u);
    EXPECT_TRUE(mesh.map_support(1));
    EXPECT_EQ(mesh.map_face(1, 3), (std::array<std::uint32_t, 3>{1, 5, 4}));
    EXPECT_EQ(mesh.map_face(2, 3), (std::array<std::uint32_t, 3>{1, 5, 5}));
    EXPECT_EQ(standin::check_mesh(mesh), "");
    EXPECT_FALSE(standin::same_mesh(mesh, strip_with_per_vertex_uv()));

    // A shared channel needs a point for every vertex, and no faces of its own.
    host::Mesh few_points = mesh;
    few_points.maps[1].verts.pop_back();
    EXPECT_EQ(standin::check_mesh(few_points),
              "map channel 1 shares the mesh faces with 5 points for 6 vertices");
    host::Mesh both = mesh;
    both.maps[1].faces = both.maps[2].faces;
    EXPECT_NE(standin::check_mesh(both), "");
    standin::Scene scene;
    EXPECT_THROW(scene.add_mesh_node(u"Bad", few_points), std::invalid_argument);
}

class DeformingMeshTest : public ::testing::Test {
  protected:
    standin::Scene scene;
    standin::Node& node = scene.add_mesh_node(u"Blob", standin::make_box_mesh(Point3(2, 2, 2)));

    std::vector<Point3> moved_by(float dz) {
        std::vector<Point3> v = node.mesh_object()->base_mesh().verts;
        for (Point3& p : v) {
            p.z += dz;
        }
        return v;
    }
};

TEST_F(DeformingMeshTest, VertexKeysInterpolateAndGiveTheValidity) {
    node.mesh_object()->add_vertex_key(0, moved_by(0));
    node.mesh_object()->add_vertex_key(1000, moved_by(10));
    node.mesh_object()->add_vertex_key(2000, moved_by(10));
    host::Object* object = node.eval_world_state(500);
    EXPECT_TRUE(object->is_deformable());
    EXPECT_FLOAT_EQ(object->as_tri_object()->mesh().verts[0].z, -1.0f + 5.0f);
    EXPECT_EQ(object->validity(500), Interval(500, 500));
    EXPECT_EQ(object->validity(1500), Interval(1000, kPos));
    EXPECT_EQ(object->validity(-10), Interval(kNeg, 0));
    // Each conversion sees the mesh at its own time.
    EXPECT_FLOAT_EQ(convert_to_mesh(node, 250).mesh.verts[0].z, -1.0f + 2.5f);
    EXPECT_FLOAT_EQ(convert_to_mesh(node, 1800).mesh.verts[0].z, -1.0f + 10.0f);
}

TEST_F(DeformingMeshTest, MeshKeysOfOtherTopologyHoldUntilTheNextKey) {
    node.mesh_object()->add_mesh_key(0, standin::make_box_mesh(Point3(2, 2, 2)));
    node.mesh_object()->add_mesh_key(100, host::Mesh{});  // empty in between
    node.mesh_object()->add_mesh_key(200, standin::make_box_mesh(Point3(4, 4, 4)));
    EXPECT_EQ(convert_to_mesh(node, 50).mesh.face_count(), 12);
    EXPECT_FLOAT_EQ(convert_to_mesh(node, 50).mesh.verts[0].x, -1.0f);
    EXPECT_EQ(convert_to_mesh(node, 150).mesh.face_count(), 0);
    EXPECT_FLOAT_EQ(convert_to_mesh(node, 250).mesh.verts[0].x, -2.0f);
}

TEST_F(DeformingMeshTest, StaticMeshIsValidForeverAndVertexKeysMustMatchTheMesh) {
    EXPECT_TRUE(node.eval_world_state(0)->validity(123).is_forever());
    EXPECT_THROW(node.mesh_object()->add_vertex_key(0, {Point3()}), std::invalid_argument);
}

TEST(ShapeConversion, PrimitiveShapesConvertToTemporaryEditableSplines) {
    standin::Scene scene;
    standin::ShapeSettings circle;
    circle.class_id = host::ClassId(0x5A01, 0);
    circle.renderable = true;
    circle.thickness = 2.5f;
    circle.splines.push_back(standin::polyline_spline({Point3(0, 0, 0), Point3(1, 0, 0)}));
    standin::Node& node = scene.add_shape_node(u"Circle", circle);
    host::Object* object = node.eval_world_state(0);
    EXPECT_EQ(object->super_class_id(), host::kShapeSuperClass);
    EXPECT_TRUE(object->is_renderable());
    ASSERT_TRUE(object->can_convert_to(host::kSplineShapeClassId));
    EXPECT_FALSE(object->can_convert_to(host::kTriObjectClassId));
    host::Object* spline = object->convert_to_type(0, host::kSplineShapeClassId);
    ASSERT_NE(spline, object);
    EXPECT_EQ(scene.live_temporaries(), 1);
    host::ShapeObject* shape = spline->as_shape_object();
    ASSERT_NE(shape, nullptr);
    host::BezierShape bezier;
    shape->make_bezier(0, bezier);
    ASSERT_EQ(bezier.spline_count(), 1);
    EXPECT_EQ(bezier.splines[0].knot(0).out_vec, Point3(1.0f / 3.0f, 0, 0));
    EXPECT_FLOAT_EQ(shape->thickness(0, nullptr), 2.5f);
    spline->delete_this();
    EXPECT_EQ(scene.live_temporaries(), 0);
}

TEST(Lights, PhotometricLightsBelongToTheFamilyAndCarryTheirWebParameters) {
    standin::Scene scene;
    standin::PhotometricLightSettings s;
    s.type = host::kPhotometricFreeArea;
    s.distribution = host::kDistributionWeb;
    s.shape = {Point3(-1, -1, 0), Point3(1, -1, 0), Point3(1, 1, 0), Point3(-1, 1, 0)};
    s.web_file = u"lamp.IES";
    s.web_rotation = Point3(10, 20, 30);
    host::Object* object = scene.add_photometric_light_node(u"Area", s).eval_world_state(0);
    EXPECT_TRUE(object->is_subclass_of(host::kPhotometricLightClassId));
    EXPECT_NE(object->class_id(), host::kPhotometricLightClassId);
    host::PhotometricLight* light = object->as_photometric_light();
    ASSERT_NE(light, nullptr);
    EXPECT_EQ(light->type(), host::kPhotometricFreeArea);
    ASSERT_EQ(light->shape(nullptr, 0), 4);
    Point3 corners[2];
    EXPECT_EQ(light->shape(corners, 2), 4);  // copies what fits, reports all
    EXPECT_EQ(corners[1], Point3(1, -1, 0));
    host::ParamBlock* web = object->param_block_by_id(3);
    ASSERT_NE(web, nullptr);
    EXPECT_EQ(object->param_block(3), web);
    std::u16string file;
    ASSERT_TRUE(web->get_string(standin::kWebFileParam, 0, file));
    EXPECT_EQ(file, u"lamp.IES");
    float z = 0;
    ASSERT_TRUE(web->get_float(standin::kWebRotationZParam, 0, z));
    EXPECT_FLOAT_EQ(z, 30.0f);
}

TEST(Lights, StandardLightsReportTheirTypeAndClass) {
    standin::Scene scene;
    standin::StandardLightSettings spot;
    spot.type = host::kTargetSpotLight;
    host::Object* s = scene.add_standard_light_node(u"Spot", spot).eval_world_state(0);
    EXPECT_EQ(s->as_gen_light()->light_type(), host::kTargetSpotLight);
    EXPECT_NE(s->class_id(), host::kOmniLightClassId);
    standin::StandardLightSettings omni;
    omni.multiplier = 2.5f;
    omni.color = host::Color(1, 0.5f, 0);
    host::Object* o = scene.add_standard_light_node(u"Omni", omni).eval_world_state(0);
    EXPECT_EQ(o->class_id(), host::kOmniLightClassId);
    EXPECT_FALSE(o->is_subclass_of(host::kPhotometricLightClassId));
    EXPECT_FLOAT_EQ(o->as_gen_light()->intensity(0, nullptr), 2.5f);
    EXPECT_EQ(o->as_gen_light()->rgb_color(0, nullptr), host::Color(1, 0.5f, 0));
}

TEST(Lights, SkyLightKeepsItsMapInAParameterBlock) {
    standin::Scene scene;
    standin::BitmapTexture& sky = scene.add_bitmap_texture(u"Sky", u"sky.hdr");
    standin::SkyLightSettings s;
    s.map = &sky;
    host::Object* object = scene.add_sky_light_node(u"Sky", s).eval_world_state(0);
    EXPECT_EQ(object->class_id(), host::kSkyLightClassId);
    EXPECT_EQ(object->super_class_id(), host::kLightSuperClass);
    ASSERT_EQ(object->param_block_count(), 1);
    host::Texmap* map = nullptr;
    ASSERT_TRUE(object->param_block(0)->get_texmap(standin::kSkyMapParam, 0, map));
    EXPECT_EQ(map, &sky);
}

TEST(Cameras, CameraStateCarriesFieldOfViewAndClipping) {
    standin::Scene scene;
    standin::CameraSettings s;
    s.fov = 1.0f;
    s.manual_clip = true;
    s.near_clip = 1.5f;
    s.far_clip = 90.0f;
    host::Object* object = scene.add_camera_node(u"Cam", s).eval_world_state(0);
    host::CameraState state;
    Interval valid;
    ASSERT_TRUE(object->as_camera_object()->eval_camera_state(0, valid, state));
    EXPECT_FLOAT_EQ(state.fov, 1.0f);
    EXPECT_TRUE(state.manual_clip);
    EXPECT_FLOAT_EQ(state.hither, 1.5f);
    EXPECT_FLOAT_EQ(state.yon, 90.0f);
    EXPECT_TRUE(valid.is_forever());
}

}  // namespace
