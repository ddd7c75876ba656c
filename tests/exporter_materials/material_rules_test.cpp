// The rules by material class, and how one map becomes a texture.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "material_scene.h"
#include "platform/utf.h"

namespace materials_test {
namespace {

class MaterialRules : public MaterialTest {
  protected:
    MaterialRules() : images_("exporter-images") {}

    // The table of a one-face mesh (map channels 0 and 1) whose node has material.
    vsf::MaterialTable table_for(host::Material& material) {
        mesh_ = mesh_with_ids({0});
        standin::Node& node = scene_.add_mesh_node(u"Node", mesh_);
        node.set_material(&material);
        return vsf::build_material_table(context_, mesh_, node, 0);
    }

    MaterialView view_of(host::Material& material) {
        const std::vector<MaterialView> views = written(table_for(material));
        EXPECT_EQ(views.size(), 1u);
        return views.empty() ? MaterialView{} : views[0];
    }

    // A bitmap map of an image file (created) in the scratch image folder.
    standin::BitmapTexture& bitmap(const std::string& file, int channel = 1) {
        std::ofstream(images_.path() / file) << "image";
        standin::BitmapTexture& map = scene_.add_bitmap_texture(
            platform::utf8_to_utf16(file), (images_.path() / file).u16string());
        standin::MapCoordinates c;
        c.channel = channel;
        map.set_coordinates(c);
        return map;
    }

    std::string image(const std::string& file) const { return (images_.path() / file).string(); }

    host::Mesh mesh_;
    exporter_test::ScratchFolder images_;
};

using Colour = std::vector<double>;

void expect_colour(const Colour& actual, const Colour& expected, const char* what) {
    ASSERT_EQ(actual.size(), 3u) << what;
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(actual[i], expected[i], 1e-6) << what << " channel " << i;
    }
}

TEST_F(MaterialRules, StandardSpecularIsColourTimesLevelAndAlwaysPlastic) {
    struct Case {
        float level;
        Colour specular;
    } cases[] = {{0.0f, {0, 0, 0}}, {0.5f, {0.5, 0.25, 0}}, {1.0f, {1, 0.5, 0}}};
    for (const Case& c : cases) {
        standin::StandardMaterial& m = scene_.add_standard_material(u"Std");
        m.set_diffuse({0.2f, 0.4f, 0.6f});
        m.set_specular({1.0f, 0.5f, 0.0f});
        m.set_specular_level(c.level);
        const MaterialView view = view_of(m);
        EXPECT_EQ(view.name, "Std");
        EXPECT_EQ(view.base_type, "zyl_plastic_simple") << "level " << c.level;
        expect_colour(view.diffuse, {0.2, 0.4, 0.6}, "diffuse");
        expect_colour(view.specular, c.specular, "specular");
    }
}

TEST_F(MaterialRules, StandardMapSlotsAreFoundByNameWhenEnabled) {
    standin::StandardMaterial& m = scene_.add_standard_material(u"Std");
    m.set_map(standin::kDiffuseSlot, &bitmap("d.png"));
    m.set_map(standin::kOpacitySlot, &bitmap("o.png"));
    m.set_map(standin::kBumpSlot, &bitmap("b.png"));
    m.set_map(standin::kSpecularLevelSlot, &bitmap("s.png"));
    // Switched off in the maps list: not exported.
    m.set_map(standin::kSpecularSlot, &bitmap("off.png"), false);
    const MaterialView view = view_of(m);
    EXPECT_EQ(view.diffuse_texture, image("d.png"));
    EXPECT_EQ(view.opacity_texture, image("o.png"));
    EXPECT_EQ(view.bump_texture, image("b.png"));
    EXPECT_EQ(view.specular_texture, image("s.png"));
    // The Standard material's bump amount is not read: the renderer's default height stays.
    EXPECT_NEAR(view.bump_height, 0.1, 1e-6);
}

TEST_F(MaterialRules, StandardSpecularLevelMapOverridesSpecularColourMap) {
    standin::StandardMaterial& m = scene_.add_standard_material(u"Std");
    m.set_map(standin::kSpecularSlot, &bitmap("colour.png"));
    m.set_map(standin::kSpecularLevelSlot, &bitmap("level.png"));
    EXPECT_EQ(view_of(m).specular_texture, image("level.png"));
}

TEST_F(MaterialRules, BlockColourClassReadsItsColourAndSwitchedMaps) {
    standin::ParamMaterial& m =
        scene_.add_param_material(u"Blocks", host::kBlockColorMaterialClassId);
    standin::fill_block_color_material(m, {0.1f, 0.2f, 0.3f}, &bitmap("d.png"), &bitmap("b.png"));
    MaterialView view = view_of(m);
    EXPECT_EQ(view.base_type, "zyl_plastic_simple");
    expect_colour(view.diffuse, {0.1, 0.2, 0.3}, "diffuse");
    expect_colour(view.specular, {0.1, 0.2, 0.3}, "specular");
    EXPECT_EQ(view.diffuse_texture, image("d.png"));
    EXPECT_EQ(view.bump_texture, image("b.png"));

    // A switch turned off drops its map.
    m.block_by_id(4)->set_value(150, 0);
    view = view_of(m);
    EXPECT_EQ(view.diffuse_texture, "");
    EXPECT_EQ(view.bump_texture, image("b.png"));
}

TEST_F(MaterialRules, BlockColourClassWithoutBlocksKeepsTheDefaults) {
    standin::ParamMaterial& m =
        scene_.add_param_material(u"Bare", host::kBlockColorMaterialClassId);
    const MaterialView view = view_of(m);
    EXPECT_EQ(view.base_type, "zyl_diffuse");
    expect_colour(view.diffuse, {0.75, 0.5, 0.5}, "diffuse");
}

TEST_F(MaterialRules, NamedMapClassReadsBumpAmountAndMapsByName) {
    standin::ParamMaterial& m = scene_.add_param_material(u"Named", host::kNamedMapMaterialClassId);
    m.set_diffuse({0.9f, 0.9f, 0.9f});  // not read for this class
    standin::fill_named_map_material(m, 3.0f, &bitmap("d.png"), &bitmap("b.png"), &bitmap("g.png"));
    const MaterialView view = view_of(m);
    expect_colour(view.diffuse, {0.75, 0.5, 0.5}, "diffuse");
    EXPECT_EQ(view.diffuse_texture, image("d.png"));
    EXPECT_EQ(view.bump_texture, image("b.png"));
    EXPECT_NEAR(view.bump_height, 3.0 * 0.05, 1e-6);
    // The glossiness map lands in the specular slot, which makes the shader plastic.
    EXPECT_EQ(view.specular_texture, image("g.png"));
    EXPECT_EQ(view.base_type, "zyl_plastic_simple");
}

TEST_F(MaterialRules, OtherMaterialIsReadByParameterAndSlotNames) {
    standin::ParamMaterial& m = scene_.add_param_material(u"Other", {0x1234, 0x5678});
    m.set_diffuse({0.3f, 0.3f, 0.3f});
    m.set_specular({1.0f, 0.8f, 0.6f});
    m.set_shininess(0.5f);
    standin::ParamBlock& block = m.add_param_block(2);
    block.add_param(7, host::kParamFloat, u"bump_map_amt", 0.7f);
    block.add_param(9, host::kParamTexmap, u"bump_map", &bitmap("param_bump.png"));
    m.add_map_slot(u"Diffuse Color Map", &bitmap("d.png"));
    m.add_map_slot(u"Opacity", &bitmap("o.png"));
    m.add_map_slot(u"Specular Map", &bitmap("s.png"), false);  // switched off
    m.add_map_slot(u"specular", &bitmap("case.png"));          // names compare exactly
    m.add_map_slot(u"Diffuse Colour", &bitmap("other.png"));
    const MaterialView view = view_of(m);
    expect_colour(view.diffuse, {0.3, 0.3, 0.3}, "diffuse");
    expect_colour(view.specular, {0.5, 0.4, 0.3}, "specular");
    EXPECT_EQ(view.diffuse_texture, image("d.png"));
    EXPECT_EQ(view.opacity_texture, image("o.png"));
    EXPECT_EQ(view.bump_texture, image("param_bump.png"));
    EXPECT_NEAR(view.bump_height, 0.7, 1e-6);
    EXPECT_EQ(view.specular_texture, "");
}

TEST_F(MaterialRules, BitmapOnAChannelTheMeshLacksIsIgnored) {
    standin::StandardMaterial& m = scene_.add_standard_material(u"Std");
    m.set_map(standin::kDiffuseSlot, &bitmap("d.png", 2));
    const vsf::MaterialTable table = table_for(m);
    ASSERT_NE(table.records[0], nullptr);
    EXPECT_EQ(table.records[0]->diffuse_channel, -1);
    EXPECT_EQ(table.records[0]->uv_channel(), -1);
    EXPECT_EQ(written(table)[0].diffuse_texture, "");
}

TEST_F(MaterialRules, UvChannelIsTheFirstOfDiffuseOpacityAndBumpNeverSpecular) {
    standin::StandardMaterial& m = scene_.add_standard_material(u"Std");
    m.set_map(standin::kSpecularSlot, &bitmap("s.png"));
    vsf::MaterialTable table = table_for(m);
    ASSERT_NE(table.records[0], nullptr);
    EXPECT_EQ(table.records[0]->specular_channel, 1);
    EXPECT_EQ(table.records[0]->uv_channel(), -1);

    m.set_map(standin::kBumpSlot, &bitmap("b.png"));
    table = table_for(m);
    EXPECT_EQ(table.records[0]->bump_channel, 1);
    EXPECT_EQ(table.records[0]->uv_channel(), 1);
}

TEST_F(MaterialRules, BitmapUvTransformReplacesIdentityAndTheLastBitmapWins) {
    standin::StandardMaterial& m = scene_.add_standard_material(u"Std");
    standin::MapCoordinates tiled;
    tiled.u_tiling = 2.0f;
    tiled.v_offset = 0.25f;
    standin::MapCoordinates turned;
    turned.angle = 0.5f;
    standin::BitmapTexture& diffuse = bitmap("d.png");
    diffuse.set_coordinates(tiled);
    m.set_map(standin::kDiffuseSlot, &diffuse);
    vsf::MaterialTable table = table_for(m);
    ASSERT_NE(table.records[0], nullptr);
    EXPECT_EQ(table.records[0]->uv_transform, standin::coordinates_transform(tiled));
    EXPECT_NE(table.records[0]->uv_transform, host::Matrix3::identity());

    standin::BitmapTexture& opacity = bitmap("o.png");
    opacity.set_coordinates(turned);
    m.set_map(standin::kOpacitySlot, &opacity);
    table = table_for(m);
    EXPECT_EQ(table.records[0]->uv_transform, standin::coordinates_transform(turned));
}

TEST_F(MaterialRules, BitmapPathIsResolvedAgainstTheAssetFolders) {
    standin::StandardMaterial& m = scene_.add_standard_material(u"Std");
    std::ofstream(images_.path() / "wood.png") << "image";
    scene_.add_asset_folder(host::kBitmapAsset, images_.wide());
    m.set_map(standin::kDiffuseSlot, &scene_.add_bitmap_texture(u"wood", u"wood.png"));
    EXPECT_EQ(view_of(m).diffuse_texture, image("wood.png"));
}

TEST_F(MaterialRules, BitmapWithoutLoadedImageKeepsItsChannelButGivesNoTexture) {
    standin::StandardMaterial& m = scene_.add_standard_material(u"Std");
    standin::BitmapTexture& missing = bitmap("gone.png");
    missing.set_loaded(false);
    m.set_map(standin::kDiffuseSlot, &missing);
    const vsf::MaterialTable table = table_for(m);
    ASSERT_NE(table.records[0], nullptr);
    EXPECT_EQ(table.records[0]->diffuse_channel, 1);
    EXPECT_EQ(written(table)[0].diffuse_texture, "");
}

}  // namespace
}  // namespace materials_test
