// Every feature a JSON scene can state arrives in the stand-in model as stated, seen through the
// host interface that the exporter uses; and every example of docs/scene-format.md reads.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "platform/utf.h"
#include "standin/host/png_file.h"
#include "standin/host/scene_json.h"
#include "tests/standin_scenes/full_scene.h"
#include "tests/standin_scenes/temp_folder.h"

namespace {

using standin::Node;
using standin::Scene;

constexpr float kEps = 1e-5f;

void expect_point(const host::Point3& p, float x, float y, float z) {
    EXPECT_NEAR(p.x, x, kEps);
    EXPECT_NEAR(p.y, y, kEps);
    EXPECT_NEAR(p.z, z, kEps);
}

void expect_color(const host::Color& c, float r, float g, float b) {
    EXPECT_NEAR(c.r, r, kEps);
    EXPECT_NEAR(c.g, g, kEps);
    EXPECT_NEAR(c.b, b, kEps);
}

std::vector<std::u16string> child_names(const host::Node& n) {
    std::vector<std::u16string> out;
    for (int i = 0; i < n.child_count(); ++i) {
        out.push_back(n.child(i)->name());
    }
    return out;
}

class FullScene : public ::testing::Test {
  protected:
    void SetUp() override { standin::read_scene_json(scene, standin_test::full_scene_json()); }

    Node& node(const char16_t* name) {
        Node* n = scene.find_node(name);
        EXPECT_NE(n, nullptr);
        return *n;
    }
    host::Object& object(const char16_t* name) { return *node(name).eval_world_state(0); }

    Scene scene;
};

TEST_F(FullScene, TimeUnitsAndAssetFolders) {
    EXPECT_EQ(scene.animation_range(), host::Interval(0, 3200));
    EXPECT_EQ(scene.ticks_per_frame(), 160);
    EXPECT_EQ(scene.current_time(), 320);
    EXPECT_EQ(scene.system_unit_type(), host::kUnitCentimeters);
    ASSERT_EQ(scene.asset_folder_count(host::kBitmapAsset), 1);
    EXPECT_EQ(scene.asset_folder(host::kBitmapAsset, 0), u"/assets/maps");
    ASSERT_EQ(scene.asset_folder_count(host::kPhotometricAsset), 1);
    EXPECT_EQ(scene.asset_folder(host::kPhotometricAsset, 0), u"/assets/ies");
}

TEST_F(FullScene, HierarchyAndLayers) {
    EXPECT_EQ(
        child_names(*scene.root_node()),
        (std::vector<std::u16string>{u"Group", u"Mover", u"Aim", u"Line", u"Cam", u"Omni", u"Spot",
                                     u"Panel", u"Web", u"Ball", u"Odd", u"Sky", u"Empty"}));
    EXPECT_EQ(
        child_names(node(u"Group")),
        (std::vector<std::u16string>{u"Box", u"Tri", u"Painted", u"Shiny", u"Special", u"Hairy"}));
    EXPECT_EQ(node(u"Tri").parent(), &node(u"Group"));

    ASSERT_EQ(scene.layers().layer_count(), 2);
    std::vector<host::Node*> lights;
    scene.layers().layer(1)->nodes(lights);
    EXPECT_EQ(scene.layers().layer(1)->name(), u"Lights");
    ASSERT_EQ(lights.size(), 7u);
    EXPECT_EQ(lights.front(), &node(u"Omni"));
    EXPECT_EQ(lights.back(), &node(u"Sky"));
    EXPECT_EQ(node(u"Box").layer(), &scene.default_layer());

    EXPECT_TRUE(node(u"Tri").is_hidden_for_render());
    EXPECT_FALSE(node(u"Box").is_hidden_for_render());
    EXPECT_EQ(node(u"Box").wire_color(), 200u | (10u << 8));
    // A node without object, a helper and a target are three different things.
    EXPECT_EQ(node(u"Empty").eval_world_state(0), nullptr);
    EXPECT_EQ(object(u"Group").super_class_id(), host::kHelperSuperClass);
    EXPECT_EQ(object(u"Aim").class_id(), host::kTargetClassId);
}

TEST_F(FullScene, TransformsAndKeys) {
    // Scale 2, a quarter turn about z, then the translation: x maps to (0, 2, 0).
    host::Interval valid;
    const host::Matrix3 group = node(u"Group").node_tm(0, &valid);
    EXPECT_TRUE(valid.is_forever());
    expect_point(host::Point3(1, 0, 0) * group, 1, 4, 3);
    expect_point(group.translation(), 1, 2, 3);

    // The object offset moves the object, not the node.
    const host::Matrix3 box_node = node(u"Box").node_tm(0, nullptr);
    const host::Matrix3 box_object = node(u"Box").object_tm(0, nullptr);
    expect_point(box_object.translation() - box_node.translation(), 0, 0, 2);

    const host::Matrix3 cam = node(u"Cam").node_tm(0, nullptr);
    expect_point(cam.row(1), 0, 0, 1);
    expect_point(cam.translation(), 0, -10, 2);

    Node& mover = node(u"Mover");
    host::Interval mid;
    expect_point(mover.node_tm(800, &mid).translation(), 5, 0, 0);
    EXPECT_EQ(mid, host::Interval::instant(800));
    expect_point(mover.node_tm(1600, nullptr).translation(), 10, 0, 0);
    // Half-way through the rotation keys an eighth of a turn about x; scale keys start at 1600.
    const host::Matrix3 at1600 = mover.node_tm(1600, nullptr);
    expect_point(at1600.row(1), 0, std::sqrt(0.5f), std::sqrt(0.5f));
    const host::Matrix3 at3200 = mover.node_tm(3200, nullptr);
    expect_point(at3200.row(0), 3, 0, 0);
    expect_point(at3200.row(1), 0, 0, 3);
}

TEST_F(FullScene, MeshData) {
    standin::MeshObject& tri = *node(u"Tri").mesh_object();
    EXPECT_EQ(tri.class_id(), host::kBoneClassId);
    const host::Mesh& m = tri.base_mesh();
    ASSERT_EQ(m.vertex_count(), 4);
    ASSERT_EQ(m.face_count(), 2);
    EXPECT_EQ(m.faces[1].v, (std::array<std::uint32_t, 3>{1, 3, 2}));
    EXPECT_EQ(m.faces[0].smoothing_group, 1u);
    EXPECT_EQ(m.faces[1].smoothing_group, 6u);
    EXPECT_EQ(m.faces[1].material_id, 2);
    ASSERT_TRUE(m.map_support(1));
    expect_point(m.maps[1].verts[3], 1, 1, 0.5f);
    expect_point(m.maps[1].verts[1], 1, 0, 0);
    EXPECT_FALSE(m.map_support(2));
    ASSERT_TRUE(m.map_support(3));
    expect_point(m.maps[3].verts[0], 0.5f, 0.5f, 0);
    ASSERT_TRUE(m.normal_spec.has_value());
    EXPECT_EQ(m.normal_spec->face_normal_ids[1], (std::array<int, 3>{1, -1, 1}));
    EXPECT_EQ(m.normal_spec->explicit_normal, (std::vector<std::uint8_t>{1, 0}));
    expect_point(m.normal_spec->normals[1], 0, 0, -1);

    // Unless the file says otherwise, a face is in smoothing group 1 with material id 0.
    const host::Mesh& box = node(u"Box").mesh_object()->base_mesh();
    EXPECT_EQ(box.vertex_count(), 8);
    expect_point(box.verts[0], -0.5f, -1, -1.5f);
}

TEST_F(FullScene, DeformingMeshKeys) {
    host::Object& tri = object(u"Tri");
    EXPECT_TRUE(tri.is_deformable());
    EXPECT_FALSE(tri.validity(800).covers(0, 3200));
    host::Object* at800 = tri.convert_to_type(800, host::kTriObjectClassId);
    ASSERT_NE(at800, nullptr);
    expect_point(at800->as_tri_object()->mesh().verts[3], 1, 1, 0.5f);
    at800->delete_this();
    // The last key is a whole mesh of its own.
    host::Object* at3200 = tri.convert_to_type(3200, host::kTriObjectClassId);
    EXPECT_EQ(at3200->as_tri_object()->mesh().vertex_count(), 3);
    at3200->delete_this();
    EXPECT_EQ(scene.live_temporaries(), 0);
}

TEST_F(FullScene, Hair) {
    const auto& hair = node(u"Hairy").mesh_object()->hair();
    ASSERT_TRUE(hair.has_value());
    EXPECT_EQ(hair->root_thickness, 3.0f);
    EXPECT_EQ(hair->tip_thickness, 1.0f);
    expect_color(hair->root_color, 1, 0, 0);
    expect_color(hair->tip_color, 0, 0, 1);
    EXPECT_EQ(hair->hue_variation, 5.0f);
    EXPECT_EQ(hair->value_variation, 25.0f);
    ASSERT_EQ(hair->strands.size(), 2u);
    EXPECT_EQ(hair->strands[1].size(), 3u);
    expect_point(hair->strands[1][2], 1.5f, 0, 0);
}

TEST_F(FullScene, ShapesAndCustomAttributes) {
    host::ShapeObject* line = object(u"Line").as_shape_object();
    ASSERT_NE(line, nullptr);
    EXPECT_TRUE(line->is_renderable());
    EXPECT_EQ(line->class_id(), host::ClassId(1, 2));
    EXPECT_EQ(line->thickness(0, nullptr), 0.5f);
    host::BezierShape shape;
    line->make_bezier(0, shape);
    ASSERT_EQ(shape.spline_count(), 2);
    EXPECT_TRUE(shape.splines[0].closed());
    expect_point(shape.splines[0].knot(0).in_vec, -1, 0, 0);
    expect_point(shape.splines[0].knot(1).out_vec, 5, 0, 0);  // a handle left out is the knot
    EXPECT_FALSE(shape.splines[1].closed());
    EXPECT_EQ(shape.splines[1].knot_count(), 3);
    expect_point(shape.splines[1].knot(1).out_vec, 3, 1, 0);  // straight towards the next knot

    host::Object& tri = object(u"Tri");
    ASSERT_EQ(tri.custom_attribute_count(), 1);
    host::CustomAttribute* a = tri.custom_attribute(0);
    EXPECT_EQ(a->name(), u"vistrel_hair_and_fur_data");
    float radius = 0.0f;
    ASSERT_TRUE(a->param_block(0)->get_float(0, 0, radius));
    EXPECT_EQ(radius, 2.0f);
}

TEST_F(FullScene, CamerasAndLights) {
    host::CameraObject* cam = object(u"Cam").as_camera_object();
    ASSERT_NE(cam, nullptr);
    host::Interval valid;
    host::CameraState state;
    ASSERT_TRUE(cam->eval_camera_state(0, valid, state));
    EXPECT_NEAR(state.fov, 60.0f * 3.14159265f / 180.0f, 1e-6f);
    EXPECT_TRUE(state.is_ortho);
    EXPECT_EQ(state.tdist, 50.0f);
    EXPECT_TRUE(state.manual_clip);
    EXPECT_EQ(state.hither, 2.0f);
    EXPECT_EQ(state.yon, 500.0f);
    EXPECT_EQ(object(u"Cam").class_id(), standin::kTargetCameraClassId);

    host::GenLight* omni = object(u"Omni").as_gen_light();
    ASSERT_NE(omni, nullptr);
    EXPECT_EQ(object(u"Omni").class_id(), host::kOmniLightClassId);
    EXPECT_EQ(omni->light_type(), host::kOmniLight);
    EXPECT_EQ(omni->intensity(0, nullptr), 2.5f);
    expect_color(omni->rgb_color(0, nullptr), 1, 0.5f, 0.25f);
    EXPECT_EQ(object(u"Spot").as_gen_light()->light_type(), host::kFreeSpotLight);

    host::PhotometricLight* panel = object(u"Panel").as_photometric_light();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->is_subclass_of(host::kPhotometricLightClassId));
    EXPECT_EQ(panel->type(), host::kPhotometricFreeArea);
    EXPECT_EQ(panel->distribution(), host::kDistributionDiffuse);
    EXPECT_EQ(panel->intensity(0, nullptr), 100.0f);
    EXPECT_EQ(panel->kelvin(0, nullptr), 2700.0f);
    ASSERT_EQ(panel->shape(nullptr, 0), 4);
    host::Point3 corners[4];
    panel->shape(corners, 4);
    expect_point(corners[2], 1, 1, 0);

    host::PhotometricLight* web = object(u"Web").as_photometric_light();
    EXPECT_EQ(web->type(), host::kPhotometricFreePoint);
    EXPECT_EQ(web->distribution(), host::kDistributionWeb);
    std::u16string file;
    float ry = 0.0f;
    ASSERT_TRUE(web->param_block_by_id(3)->get_string(0, 0, file));
    EXPECT_EQ(file, u"lamp.IES");
    ASSERT_TRUE(web->param_block_by_id(3)->get_float(2, 0, ry));
    EXPECT_EQ(ry, 20.0f);
    EXPECT_EQ(object(u"Ball").as_photometric_light()->radius(0, nullptr), 0.5f);
    EXPECT_EQ(object(u"Odd").as_photometric_light()->type(), 999);
    EXPECT_EQ(object(u"Odd").as_photometric_light()->distribution(), 7);

    host::Object& sky = object(u"Sky");
    EXPECT_EQ(sky.class_id(), host::kSkyLightClassId);
    host::Texmap* env = nullptr;
    ASSERT_TRUE(sky.param_block(0)->get_texmap(2, 0, env));
    ASSERT_NE(env, nullptr);
    ASSERT_NE(env->as_bitmap_tex(), nullptr);
    EXPECT_EQ(env->as_bitmap_tex()->map_name(), u"/sky/env.png");
    EXPECT_EQ(env->as_bitmap_tex()->bitmap(0), nullptr);  // "loaded": false
}

TEST_F(FullScene, StandardAndMultiMaterials) {
    host::Material* mixed = node(u"Box").material();
    ASSERT_NE(mixed, nullptr);
    EXPECT_EQ(mixed->class_id(), host::kMultiMaterialClassId);
    ASSERT_EQ(mixed->sub_material_count(), 3);
    EXPECT_EQ(mixed->sub_material(1), nullptr);
    EXPECT_EQ(mixed->sub_material(2)->name(), u"Tiles");

    host::StdMaterial* wall = mixed->sub_material(0)->as_std_material();
    ASSERT_NE(wall, nullptr);
    EXPECT_EQ(node(u"Tri").material(), wall);
    expect_color(wall->diffuse_at(0), 0.8f, 0.7f, 0.6f);
    expect_color(wall->specular_at(0), 1, 1, 1);
    EXPECT_EQ(wall->specular_level_at(0), 0.5f);
    EXPECT_EQ(wall->shininess(), 0.4f);
    EXPECT_EQ(wall->sub_texmap_slot_name(standin::kDiffuseSlot), u"Diffuse Color");
    EXPECT_TRUE(wall->map_enabled(standin::kDiffuseSlot));
    host::Texmap* wood = wall->sub_texmap(standin::kDiffuseSlot);
    ASSERT_NE(wood, nullptr);
    EXPECT_EQ(wood->map_channel(), 2);
    ASSERT_NE(wood->as_bitmap_tex(), nullptr);
    EXPECT_EQ(wood->as_bitmap_tex()->map_name(), u"wood.png");
    EXPECT_NE(wood->as_bitmap_tex()->bitmap(0), nullptr);  // "loaded": true
    // Tiling (2, 3), offset (0.25, 0.5) and a quarter turn, about the square's centre.
    const host::Matrix3 uv = wood->uv_transform();
    expect_point(host::Point3(0.5f, 0.5f, 0) * uv, 0.75f, 1.0f, 0);
    expect_point(host::Point3(1.0f, 0.5f, 0) * uv, 0.75f, 2.5f, 0);
    // The bump slot holds its map but is switched off.
    EXPECT_NE(wall->sub_texmap(standin::kBumpSlot), nullptr);
    EXPECT_FALSE(wall->map_enabled(standin::kBumpSlot));
}

TEST_F(FullScene, ProceduralMaps) {
    host::Material* tiles = node(u"Box").material()->sub_material(2);
    auto* check = dynamic_cast<standin::CheckerMap*>(tiles->sub_texmap(standin::kDiffuseSlot));
    ASSERT_NE(check, nullptr);
    expect_color(check->color1, 1, 0, 0);
    expect_color(check->color2, 0, 0, 1);
    EXPECT_EQ(check->map_channel(), 1);

    host::Material* paint = node(u"Painted").material();
    host::Texmap* ramp = nullptr;
    ASSERT_TRUE(paint->param_block_by_id(4)->get_texmap(100, 0, ramp));
    auto* gradient = dynamic_cast<standin::GradientMap*>(ramp);
    ASSERT_NE(gradient, nullptr);
    EXPECT_EQ(gradient->center, 0.3f);
    expect_color(gradient->color2, 0.5f, 0.5f, 0.5f);

    host::Material* metal = node(u"Shiny").material();
    host::Texmap* grain = nullptr;
    ASSERT_TRUE(metal->param_block_by_id(0)->get_texmap(2, 0, grain));
    auto* noise = dynamic_cast<standin::NoiseMap*>(grain);
    ASSERT_NE(noise, nullptr);
    EXPECT_EQ(noise->size, 0.1f);
    expect_color(noise->color2, 0.9f, 0.9f, 0.9f);
}

TEST_F(FullScene, RecognisedMaterialClasses) {
    host::Material* paint = node(u"Painted").material();
    EXPECT_EQ(paint->class_id(), host::kBlockColorMaterialClassId);
    host::Color color;
    ASSERT_TRUE(paint->param_block_by_id(1)->get_color(1, 0, color));
    expect_color(color, 0.9f, 0.1f, 0.1f);
    int diffuse_on = 0;
    int bump_on = 1;
    ASSERT_TRUE(paint->param_block_by_id(4)->get_int(150, 0, diffuse_on));
    ASSERT_TRUE(paint->param_block_by_id(4)->get_int(153, 0, bump_on));
    EXPECT_EQ(diffuse_on, 1);
    EXPECT_EQ(bump_on, 0);

    host::Material* metal = node(u"Shiny").material();
    EXPECT_EQ(metal->class_id(), host::kNamedMapMaterialClassId);
    host::ParamBlock* block = metal->param_block_by_id(0);
    float amount = 0.0f;
    ASSERT_TRUE(block->get_float(5, 0, amount));
    EXPECT_EQ(amount, 0.3f);
    host::Texmap* gloss = nullptr;
    ASSERT_TRUE(block->get_texmap(3, 0, gloss));
    EXPECT_EQ(block->local_name(3), u"texmap_specular_glossiness");
    EXPECT_NE(dynamic_cast<standin::CheckerMap*>(gloss), nullptr);
}

TEST_F(FullScene, GenericMaterialWithParameterBlocks) {
    host::Material* m = node(u"Special").material();
    EXPECT_EQ(m->class_id(), host::ClassId(0x1234ABCD, 42));
    expect_color(m->diffuse(), 0.2f, 0.3f, 0.4f);
    expect_color(m->specular(), 0.5f, 0.5f, 0.5f);
    EXPECT_EQ(m->shininess(), 0.25f);
    ASSERT_EQ(m->sub_material_count(), 1);
    EXPECT_EQ(m->sub_material(0)->name(), u"Wall");
    ASSERT_EQ(m->sub_texmap_count(), 2);
    EXPECT_EQ(m->sub_texmap_slot_name(0), u"Diffuse Color Map");
    EXPECT_TRUE(m->sub_texmap_on(0));
    EXPECT_EQ(m->sub_texmap(1), nullptr);
    EXPECT_FALSE(m->sub_texmap_on(1));

    host::ParamBlock* b = m->param_block_by_id(0);
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(b->param_count(), 7);
    const int types[] = {host::kParamFloat, host::kParamInt,    host::kParamBool,
                         host::kParamRgba,  host::kParamPoint3, host::kParamString,
                         host::kParamTexmap};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(b->param_def(i).type, types[i]) << i;
    }
    EXPECT_EQ(b->param_def(0).internal_name, u"bump_map_amt");
    float f = 0.0f;
    int count = 0;
    int on = 0;
    host::Color tint;
    host::Color where;
    std::u16string label;
    host::Texmap* bump = nullptr;
    ASSERT_TRUE(b->get_float(0, 0, f));
    ASSERT_TRUE(b->get_int(1, 0, count));
    ASSERT_TRUE(b->get_int(2, 0, on));
    ASSERT_TRUE(b->get_color(3, 0, tint));
    ASSERT_TRUE(b->get_color(4, 0, where));
    ASSERT_TRUE(b->get_string(5, 0, label));
    ASSERT_TRUE(b->get_texmap(6, 0, bump));
    EXPECT_EQ(f, 0.75f);
    EXPECT_EQ(count, -7);
    EXPECT_EQ(on, 1);
    expect_color(tint, 0.1f, 0.2f, 0.3f);
    expect_color(where, 1, 2, 3);
    EXPECT_EQ(label, u"Gr\u00fc\u00dfe");
    EXPECT_NE(dynamic_cast<standin::NoiseMap*>(bump), nullptr);
    EXPECT_EQ(b->local_name(6), u"Bump");
    EXPECT_EQ(b->local_name(0), u"bump_map_amt");  // no local name: the internal one
}

// A file's folder is searched for its bitmaps, relative asset folders are taken against it, and
// a bitmap map counts as loaded exactly when its file is found.
TEST(SceneJsonFile, FolderOfTheFileFindsItsBitmaps) {
    standin_test::TempFolder folder;
    std::filesystem::create_directories(folder.path() / "maps");
    ASSERT_TRUE(standin::write_png(folder.file("maps/found.png"), 1, 1, {255, 0, 0, 255}));
    ASSERT_TRUE(standin::write_png(folder.file("beside.png"), 1, 1, {0, 255, 0, 255}));
    const std::string path = folder.write("scene.json", R"({
      "asset_folders": {"bitmap": ["maps"]},
      "maps": [{"name": "A", "type": "bitmap", "file": "found.png"},
               {"name": "B", "type": "bitmap", "file": "beside.png"},
               {"name": "C", "type": "bitmap", "file": "missing.png"}],
      "materials": [{"name": "M", "type": "standard",
                     "maps": {"diffuse": "A", "opacity": "B", "bump": "C"}}],
      "nodes": [{"name": "N", "mesh": {"box": [1, 1, 1]}, "material": "M"}]})");
    Scene scene;
    standin::load_scene_json(scene, path);
    host::Material* m = scene.find_node(u"N")->material();
    host::BitmapTex* a = m->sub_texmap(standin::kDiffuseSlot)->as_bitmap_tex();
    host::BitmapTex* b = m->sub_texmap(standin::kOpacitySlot)->as_bitmap_tex();
    host::BitmapTex* c = m->sub_texmap(standin::kBumpSlot)->as_bitmap_tex();
    EXPECT_NE(a->bitmap(0), nullptr);
    EXPECT_NE(b->bitmap(0), nullptr);
    EXPECT_EQ(c->bitmap(0), nullptr);
    const std::u16string resolved = scene.resolve_asset_path(a->map_name(), host::kBitmapAsset);
    EXPECT_TRUE(std::filesystem::equivalent(platform::utf16_to_utf8(resolved),
                                            folder.path() / "maps" / "found.png"));
}

// Every ```json example of the format's documentation is a whole scene that reads.
TEST(SceneFormatDocumentation, EveryExampleReads) {
    std::ifstream in(VSF_SCENE_FORMAT_DOC);
    ASSERT_TRUE(in) << VSF_SCENE_FORMAT_DOC;
    std::stringstream text;
    text << in.rdbuf();
    const std::string doc = text.str();
    int examples = 0;
    for (std::size_t at = doc.find("```json\n"); at != std::string::npos;
         at = doc.find("```json\n", at)) {
        const std::size_t start = at + 8;
        const std::size_t end = doc.find("```", start);
        ASSERT_NE(end, std::string::npos);
        const std::string example = doc.substr(start, end - start);
        Scene scene;
        EXPECT_NO_THROW(standin::read_scene_json(scene, example)) << example;
        ++examples;
        at = end + 3;
    }
    EXPECT_GT(examples, 10);
}

}  // namespace
