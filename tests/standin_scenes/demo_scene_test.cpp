// The embedded demo scene holds every feature it promises, with image files that exist.
#include <gtest/gtest.h>

#include "platform/utf.h"
#include "standin/host/demo_scene.h"
#include "standin/host/hair_scripts.h"
#include "standin/host/png_file.h"
#include "tests/standin_scenes/temp_folder.h"

namespace {

using standin::Node;

class DemoScene : public ::testing::Test {
  protected:
    void SetUp() override { standin::build_demo_scene(scene, folder.file("images")); }

    Node& node(const char16_t* name) {
        Node* n = scene.find_node(name);
        EXPECT_NE(n, nullptr) << platform::utf16_to_utf8(name);
        return *n;
    }
    host::Object& object(const char16_t* name) { return *node(name).eval_world_state(0); }
    bool animated(const host::Node& n) {
        host::Interval valid;
        n.node_tm(0, &valid);
        return !valid.covers(0, scene.animation_range().end());
    }
    // Whether the bitmap map's file is a PNG image of that size.
    static void expect_png(host::Texmap* map, int width, int height) {
        ASSERT_NE(map, nullptr);
        ASSERT_NE(map->as_bitmap_tex(), nullptr);
        EXPECT_NE(map->as_bitmap_tex()->bitmap(0), nullptr);
        int w = 0;
        int h = 0;
        std::vector<std::uint8_t> rgba;
        ASSERT_TRUE(standin::read_png(platform::utf16_to_utf8(map->as_bitmap_tex()->map_name()), w,
                                      h, rgba));
        EXPECT_EQ(w, width);
        EXPECT_EQ(h, height);
    }

    standin_test::TempFolder folder;
    standin::Scene scene;
};

TEST_F(DemoScene, Hierarchy) {
    EXPECT_EQ(node(u"Pedestal").parent(), &node(u"Stage"));
    EXPECT_EQ(node(u"Globe").parent(), &node(u"Pedestal"));
    EXPECT_EQ(node(u"Stage").parent(), scene.root_node());
    EXPECT_EQ(node(u"Floor").parent(), scene.root_node());
    EXPECT_EQ(object(u"Stage").super_class_id(), host::kHelperSuperClass);
}

TEST_F(DemoScene, TwoMaterialsWithABitmapAndAProceduralMap) {
    host::StdMaterial* planks = node(u"Floor").material()->as_std_material();
    ASSERT_NE(planks, nullptr);
    expect_png(planks->sub_texmap(standin::kDiffuseSlot), 256, 256);
    EXPECT_EQ(planks->sub_texmap(standin::kDiffuseSlot)->map_channel(), 1);
    EXPECT_TRUE(node(u"Floor").mesh_object()->base_mesh().map_support(1));

    host::StdMaterial* ceramic = node(u"Globe").material()->as_std_material();
    ASSERT_NE(ceramic, nullptr);
    EXPECT_NE(ceramic, planks);
    host::Texmap* tiles = ceramic->sub_texmap(standin::kDiffuseSlot);
    ASSERT_NE(tiles, nullptr);
    EXPECT_EQ(tiles->as_bitmap_tex(), nullptr);
    standin::Bitmap baked(8, 8);
    EXPECT_TRUE(tiles->render_bitmap(0, baked, 1.0f, false));
    EXPECT_NE(baked.rgba()[0], baked.rgba()[4 * 4]);  // two colours of the checker

    host::Material* pedestal = node(u"Pedestal").material();
    EXPECT_EQ(pedestal->class_id(), host::kMultiMaterialClassId);
    ASSERT_EQ(pedestal->sub_material_count(), 2);
    EXPECT_EQ(pedestal->sub_material(0), planks);
    EXPECT_EQ(pedestal->sub_material(1), ceramic);
}

TEST_F(DemoScene, PhotometricAreaAndPointLightsOmniAndSkyWithItsImage) {
    host::PhotometricLight* softbox = object(u"Softbox").as_photometric_light();
    ASSERT_NE(softbox, nullptr);
    EXPECT_EQ(softbox->type(), host::kPhotometricFreeArea);
    EXPECT_EQ(softbox->shape(nullptr, 0), 4);
    host::PhotometricLight* bulb = object(u"Bulb").as_photometric_light();
    ASSERT_NE(bulb, nullptr);
    EXPECT_EQ(bulb->type(), host::kPhotometricFreePoint);
    EXPECT_NE(bulb->kelvin(0, nullptr), softbox->kelvin(0, nullptr));

    EXPECT_EQ(object(u"Fill").class_id(), host::kOmniLightClassId);
    EXPECT_EQ(object(u"Fill").as_gen_light()->light_type(), host::kOmniLight);

    host::Object& sky = object(u"Sky");
    EXPECT_EQ(sky.class_id(), host::kSkyLightClassId);
    host::Texmap* env = nullptr;
    ASSERT_TRUE(sky.param_block(0)->get_texmap(2, 0, env));
    expect_png(env, 512, 256);

    std::vector<host::Node*> lights;
    ASSERT_EQ(scene.layers().layer_count(), 3);
    scene.layers().layer(1)->nodes(lights);
    EXPECT_EQ(lights, (std::vector<host::Node*>{&node(u"Softbox"), &node(u"Bulb"), &node(u"Fill"),
                                                &node(u"Sky")}));
}

TEST_F(DemoScene, AnimatedCameraAndNode) {
    ASSERT_NE(object(u"Camera").as_camera_object(), nullptr);
    EXPECT_TRUE(animated(node(u"Camera")));
    const host::TimeValue end = scene.animation_range().end();
    EXPECT_NE(node(u"Camera").node_tm(0, nullptr).translation(),
              node(u"Camera").node_tm(end, nullptr).translation());
    // The camera looks at the stage all along.
    for (host::TimeValue t : {0, end / 2, end}) {
        const host::Matrix3 tm = node(u"Camera").node_tm(t, nullptr);
        const host::Point3 look = host::normalize(-tm.row(2));
        const host::Point3 to_stage = host::normalize(host::Point3(0, 0, 1) - tm.translation());
        EXPECT_GT(host::dot(look, to_stage), 0.99f) << t;
    }

    EXPECT_TRUE(animated(node(u"Globe")));
    EXPECT_FALSE(animated(node(u"Pedestal")));
    EXPECT_NE(node(u"Globe").node_tm(0, nullptr).row(0),
              node(u"Globe").node_tm(end / 4, nullptr).row(0));
}

TEST_F(DemoScene, DeformingMesh) {
    host::Object& flag = object(u"Flag");
    EXPECT_TRUE(flag.is_deformable());
    EXPECT_FALSE(flag.validity(0).covers(0, scene.animation_range().end()));
    std::vector<host::Point3> first;
    host::Object* a = flag.convert_to_type(0, host::kTriObjectClassId);
    first = a->as_tri_object()->mesh().verts;
    a->delete_this();
    host::Object* b = flag.convert_to_type(800, host::kTriObjectClassId);
    EXPECT_EQ(b->as_tri_object()->mesh().vertex_count(), static_cast<int>(first.size()));
    EXPECT_NE(b->as_tri_object()->mesh().verts, first);
    b->delete_this();
}

TEST_F(DemoScene, RenderableSpline) {
    host::ShapeObject* ribbon = object(u"Ribbon").as_shape_object();
    ASSERT_NE(ribbon, nullptr);
    EXPECT_TRUE(ribbon->is_renderable());
    host::BezierShape shape;
    ribbon->make_bezier(0, shape);
    ASSERT_EQ(shape.spline_count(), 1);
    EXPECT_GT(shape.splines[0].segment_count(), 0);
}

TEST_F(DemoScene, HairWhoseRootAndTipColoursDiffer) {
    const auto& hair = node(u"Furball").mesh_object()->hair();
    ASSERT_TRUE(hair.has_value());
    EXPECT_NE(hair->root_color, hair->tip_color);
    EXPECT_FALSE(hair->strands.empty());
    // The host's hair script turns it into a shape carrying the hair attribute.
    ASSERT_TRUE(scene.execute_script(standin::hair_conversion_script(), false));
    int hair_shapes = 0;
    for (Node* n : scene.nodes()) {
        if (n->shape_object() != nullptr && n->name() == u"Furball") {
            ++hair_shapes;
            EXPECT_EQ(n->eval_world_state(0)->custom_attribute_count(), 1);
        }
    }
    EXPECT_EQ(hair_shapes, 1);
}

}  // namespace
