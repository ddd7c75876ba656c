// Materials as the material conversion reads them through the host abstraction.
#include <gtest/gtest.h>

#include "standin/host/scene.h"

namespace {

using host::Color;

TEST(Materials, StandardMaterialSlotsAreNamedAndEnabledOnlyWithAMap) {
    standin::Scene scene;
    standin::StandardMaterial& m = scene.add_standard_material(u"Wall");
    standin::CheckerMap& checker = scene.add_checker_map(u"Checker");
    m.set_diffuse(Color(0.2f, 0.4f, 0.6f));
    m.set_specular(Color(1, 1, 1));
    m.set_specular_level(0.25f);
    m.set_map(standin::kDiffuseSlot, &checker);
    m.set_map(standin::kBumpSlot, &checker, false);

    host::Material& base = m;
    EXPECT_EQ(base.class_id(), host::kStandardMaterialClassId);
    EXPECT_EQ(base.super_class_id(), host::kMaterialSuperClass);
    host::StdMaterial* std_mat = base.as_std_material();
    ASSERT_NE(std_mat, nullptr);
    EXPECT_EQ(std_mat->diffuse_at(0), Color(0.2f, 0.4f, 0.6f));
    EXPECT_FLOAT_EQ(std_mat->specular_level_at(0), 0.25f);
    ASSERT_EQ(base.sub_texmap_count(), 12);
    EXPECT_EQ(base.sub_texmap_slot_name(1), u"Diffuse Color");
    EXPECT_EQ(base.sub_texmap_slot_name(6), u"Opacity");
    EXPECT_EQ(base.sub_texmap_slot_name(8), u"Bump");
    EXPECT_EQ(base.sub_texmap_slot_name(2), u"Specular Color");
    EXPECT_EQ(base.sub_texmap_slot_name(3), u"Specular Level");
    EXPECT_TRUE(std_mat->map_enabled(1));
    EXPECT_EQ(base.sub_texmap(1), &checker);
    EXPECT_FALSE(std_mat->map_enabled(8));
    EXPECT_EQ(base.sub_texmap(8), &checker);
    EXPECT_FALSE(std_mat->map_enabled(0));
    EXPECT_EQ(base.sub_texmap(0), nullptr);
    EXPECT_EQ(base.sub_texmap(12), nullptr);
    EXPECT_EQ(base.sub_material_count(), 0);
}

TEST(Materials, MultiSubObjectKeepsEmptySlotsAndSharedSubMaterials) {
    standin::Scene scene;
    standin::StandardMaterial& red = scene.add_standard_material(u"Red");
    red.set_diffuse(Color(1, 0, 0));
    standin::MultiMaterial& multi = scene.add_multi_material(u"Multi", 5);
    multi.set_sub_material(0, &red);
    multi.set_sub_material(3, &red);
    host::Material& m = multi;
    EXPECT_EQ(m.class_id(), host::kMultiMaterialClassId);
    ASSERT_EQ(m.sub_material_count(), 5);
    EXPECT_EQ(m.sub_material(0), &red);
    EXPECT_EQ(m.sub_material(1), nullptr);
    EXPECT_EQ(m.sub_material(3), &red);
    EXPECT_EQ(m.sub_material(5), nullptr);
    EXPECT_EQ(m.diffuse(), Color(1, 0, 0));
    EXPECT_EQ(m.as_std_material(), nullptr);
}

TEST(Materials, BlockColorMaterialKeepsItsColourAndMapsByParameterId) {
    standin::Scene scene;
    standin::BitmapTexture& bricks = scene.add_bitmap_texture(u"Bricks", u"bricks.png");
    standin::ParamMaterial& m =
        scene.add_param_material(u"Block", host::kBlockColorMaterialClassId);
    standin::fill_block_color_material(m, Color(0.1f, 0.2f, 0.3f), &bricks, nullptr);
    host::Material& base = m;
    ASSERT_NE(base.param_block_by_id(1), nullptr);
    Color c;
    ASSERT_TRUE(base.param_block_by_id(1)->get_color(1, 0, c));
    EXPECT_EQ(c, Color(0.1f, 0.2f, 0.3f));
    const host::ParamBlock* maps = base.param_block_by_id(4);
    ASSERT_NE(maps, nullptr);
    int on = -1;
    ASSERT_TRUE(maps->get_int(150, 0, on));
    EXPECT_EQ(on, 1);
    ASSERT_TRUE(maps->get_int(153, 0, on));
    EXPECT_EQ(on, 0);
    host::Texmap* map = nullptr;
    ASSERT_TRUE(maps->get_texmap(100, 0, map));
    EXPECT_EQ(map, &bricks);
    // Reading a parameter as the wrong type fails and leaves the output alone.
    float f = -7.0f;
    EXPECT_FALSE(maps->get_float(100, 0, f));
    EXPECT_FLOAT_EQ(f, -7.0f);
    EXPECT_FALSE(maps->get_int(12345, 0, on));
}

TEST(Materials, NamedMapMaterialListsParametersByIndexWithLocalNamesAndTypes) {
    standin::Scene scene;
    standin::NoiseMap& noise = scene.add_noise_map(u"Noise");
    standin::ParamMaterial& m = scene.add_param_material(u"Named", host::kNamedMapMaterialClassId);
    standin::fill_named_map_material(m, 2.0f, nullptr, &noise, nullptr);
    const host::ParamBlock* b = m.param_block_by_id(0);
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(b->param_count(), 6);
    std::vector<std::u16string> texmap_names;
    for (int i = 0; i < b->param_count(); ++i) {
        ASSERT_EQ(b->index_to_id(i), i);
        if (b->param_def(i).type == host::kParamTexmap) {
            texmap_names.push_back(b->local_name(i));
        }
    }
    EXPECT_EQ(texmap_names, (std::vector<std::u16string>{u"texmap_diffuse_color", u"texmap_bump",
                                                         u"texmap_specular_glossiness"}));
    float bump = 0;
    ASSERT_TRUE(b->get_float(5, 0, bump));
    EXPECT_FLOAT_EQ(bump, 2.0f);
    host::Texmap* map = nullptr;
    ASSERT_TRUE(b->get_texmap(2, 0, map));
    EXPECT_EQ(map, &noise);
    EXPECT_EQ(b->index_to_id(6), -1);
    EXPECT_EQ(b->param_def(99).type, -1);
}

TEST(Materials, GenericMaterialHasNamedSlotsThatCanBeSwitchedOff) {
    standin::Scene scene;
    standin::CheckerMap& checker = scene.add_checker_map(u"C");
    standin::ParamMaterial& m = scene.add_param_material(u"Other", host::ClassId(0x1234, 0x5678));
    m.add_param_block(2, u"maps").add_param(0, host::kParamFloat, u"bump_map_amt", 0.3f);
    m.add_map_slot(u"Diffuse Color Map", &checker);
    m.add_map_slot(u"Bump Map", &checker, false);
    EXPECT_EQ(m.param_block_by_id(0), nullptr);
    ASSERT_NE(m.param_block_by_id(2), nullptr);
    EXPECT_EQ(m.param_block_by_id(2)->param_def(0).internal_name, u"bump_map_amt");
    EXPECT_EQ(m.sub_texmap_slot_name(0), u"Diffuse Color Map");
    EXPECT_TRUE(m.sub_texmap_on(0));
    EXPECT_FALSE(m.sub_texmap_on(1));
}

TEST(Materials, NodesCarryMaterialAndWireColourPackedRedLow) {
    standin::Scene scene;
    standin::Node& n = scene.add_helper_node(u"N");
    EXPECT_EQ(n.material(), nullptr);
    n.set_wire_color(200, 10, 0);
    EXPECT_EQ(n.wire_color(), 0x000AC8u);
}

}  // namespace
