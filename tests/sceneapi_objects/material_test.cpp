// Byte-exact output of the materials, their define/reference forms and their colour rules.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <string>

#include "importers/sceneapi/dev/sceneapi.h"
#include "scene_capture.h"

namespace {

using objects_test::SceneCapture;
using zyl::Float3;

std::string emitted(zyl::Material& material) {
    SceneCapture capture;
    capture.api().emit(material);
    return capture.scene();
}

TEST(DiffuseMaterial, WritesAnInlineDiffuseShaderAsTheSurface) {
    zyl::Diffuse material("red");
    material.set_color(1.0f, 0.0f, 0.25f);
    EXPECT_EQ(emitted(material),
              "material \"red\" {\n"
              "surface \"zyl_diffuse\" {\n\"diffuse\" 1 0 0.25,\n}\n"
              "flags 4096\n"
              "}\n");
}

TEST(DiffuseMaterial, VertexColourNestsTheLookupInsideTheDiffuseShader) {
    zyl::Diffuse material("painted");
    material.set_vertex_color(true);
    EXPECT_EQ(emitted(material),
              "material \"painted\" {\n"
              "surface \"zyl_diffuse\" {\n"
              "\"diffuse\" 0.75 0.5 0.5,\n"
              "\"diffuse\" ! \"vertex_color\" {\n\"default_color\" 0.8 0.8 0.8,\n},\n"
              "}\n"
              "flags 4096\n"
              "}\n");
}

TEST(DiffuseMaterial, TwoVertexColourMaterialsInARowEachWriteTheirOwnShaders) {
    // The nested capture must end outside capture mode, so that the next material's shaders are
    // written whole and in their own material block.
    zyl::Diffuse first("a");
    first.set_vertex_color(true);
    zyl::Diffuse second("b");
    second.set_vertex_color(true);
    second.set_color(0.0f, 1.0f, 0.0f);
    SceneCapture capture;
    capture.api().emit(first);
    capture.api().emit(second);
    const std::string inner =
        "\"diffuse\" ! \"vertex_color\" {\n\"default_color\" 0.8 0.8 0.8,\n},\n";
    EXPECT_EQ(capture.scene(),
              "material \"a\" {\nsurface \"zyl_diffuse\" {\n\"diffuse\" 0.75 0.5 0.5,\n" + inner +
                  "}\nflags 4096\n}\n"
                  "material \"b\" {\nsurface \"zyl_diffuse\" {\n\"diffuse\" 0 1 0,\n" +
                  inner + "}\nflags 4096\n}\n");
}

struct ClampCase {
    float in[3];
    Float3 out;
};

class ColourClamping : public testing::TestWithParam<ClampCase> {};

TEST_P(ColourClamping, DiffuseAndGenericColoursStayWithinZeroToOne) {
    const ClampCase& c = GetParam();
    zyl::Diffuse diffuse("d");
    diffuse.set_color(c.in[0], c.in[1], c.in[2]);
    EXPECT_EQ(diffuse.color(), c.out);

    zyl::GenericMaterial generic("g");
    generic.set_diffuse_color(c.in[0], c.in[1], c.in[2]);
    generic.set_specular_color(c.in[0], c.in[1], c.in[2]);
    EXPECT_EQ(generic.diffuse_color(), c.out);
    EXPECT_EQ(generic.specular_color(), c.out);
}

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

INSTANTIATE_TEST_SUITE_P(Materials, ColourClamping,
                         testing::Values(ClampCase{{1.5f, -0.2f, 0.5f}, {1.0f, 0.0f, 0.5f}},
                                         ClampCase{{0.0f, 1.0f, 0.999f}, {0.0f, 1.0f, 0.999f}},
                                         ClampCase{{kInf, -kInf, 2.0f}, {1.0f, 0.0f, 1.0f}},
                                         // A colour that is not a number would be written as "nan",
                                         // which no reader takes for a colour.
                                         ClampCase{{kNaN, 0.25f, kNaN}, {0.0f, 0.25f, 0.0f}}));

TEST(EmitterColours, AreaLightAndCurveMaterialsTakeAnyValue) {
    zyl::AreaLightMaterial light("lamp");
    light.set_color(2.0f, -1.0f, 0.5f);
    EXPECT_EQ(light.color(), (Float3{2.0f, -1.0f, 0.5f}));
    zyl::CurveMaterial hair("hair");
    hair.set_hue(-3.0f);
    hair.set_value(7.5f);
    EXPECT_EQ(hair.hue(), -3.0f);
    EXPECT_EQ(hair.value(), 7.5f);
}

TEST(AreaLightMaterial, WritesAnInlineMeshLight) {
    zyl::AreaLightMaterial plain("panel");
    EXPECT_EQ(emitted(plain),
              "material \"panel\" {\n"
              "surface \"zyl_mesh_light\" {\n\"color\" 1 1 1,\n\"lumen\" off,\n\"power\" 100,\n}\n"
              "flags 4096\n"
              "}\n");

    zyl::AreaLightMaterial photometric("bulb");
    photometric.set_color(1.0f, 0.5f, 0.25f);
    photometric.set_lumen(1700.0f);
    EXPECT_EQ(emitted(photometric),
              "material \"bulb\" {\n"
              "surface \"zyl_mesh_light\" {\n\"color\" 1 0.5 0.25,\n\"lumen\" on,\n"
              "\"power\" 1700,\n}\n"
              "flags 4096\n"
              "}\n");
}

TEST(CurveMaterial, MapIsAColourWithoutVertexColourAndTheVertexShaderWithIt) {
    zyl::CurveMaterial plain("hair");
    EXPECT_EQ(emitted(plain),
              "material \"hair\" {\n"
              "#define shader 1 vertex_color {\n}\n"
              "#define shader 2 zyl_curve_randomize {\n\"map\" 0.75 0.5 0.5,\n\"hue\" 0.1,\n"
              "\"value\" 0.1,\n}\n"
              "#define shader 3 zyl_diffuse {\n\"diffuse\" ! 2,\n}\n"
              "surface 3\n"
              "flags 4096\n"
              "}\n");

    zyl::CurveMaterial tinted("fur");
    tinted.set_vertex_color(true);
    tinted.set_hue(0.01f);
    tinted.set_value(0.5f);
    EXPECT_EQ(emitted(tinted),
              "material \"fur\" {\n"
              "#define shader 1 vertex_color {\n}\n"
              "#define shader 2 zyl_curve_randomize {\n\"map\" ! 1,\n\"hue\" 0.01,\n"
              "\"value\" 0.5,\n}\n"
              "#define shader 3 zyl_diffuse {\n\"diffuse\" ! 2,\n}\n"
              "surface 3\n"
              "flags 4096\n"
              "}\n");
}

TEST(MaterialDefinition, DefinedMaterialIsWrittenOnceThenReferenced) {
    zyl::GenericMaterial material("wood");
    SceneCapture capture;
    EXPECT_FALSE(material.is_defined());
    material.define(capture.api());
    EXPECT_TRUE(material.is_defined());
    capture.api().emit(material);
    capture.api().emit(material);
    EXPECT_EQ(capture.scene(),
              "\n#define material \"wood\" {\n"
              "#define shader 1 zyl_diffuse {\n\"diffuse\" 0.75 0.5 0.5,\n}\n"
              "surface 1\nflags 4096\n"
              "}\n"
              "material \"wood\"\n"
              "material \"wood\"\n");
}

TEST(MaterialDefinition, InlineMaterialCanBeDefinedAndReferenced) {
    zyl::Diffuse material("grey");
    SceneCapture capture;
    material.define(capture.api());
    capture.api().emit(material);
    EXPECT_EQ(capture.scene(),
              "\n#define material \"grey\" {\n"
              "surface \"zyl_diffuse\" {\n\"diffuse\" 0.75 0.5 0.5,\n}\nflags 4096\n"
              "}\n"
              "material \"grey\"\n");
}

// GenericMaterial: which shader chain each combination of colours and textures produces.
struct GenericCase {
    const char* what;
    std::function<void(zyl::GenericMaterial&)> setup;
    const char* shader_type;
    std::string shaders;  // everything between the material line and its closing brace
};

class GenericMaterialChains : public testing::TestWithParam<GenericCase> {};

TEST_P(GenericMaterialChains, WriteTheirNumberedShadersAndAssignTheLast) {
    const GenericCase& c = GetParam();
    zyl::GenericMaterial material("m");
    c.setup(material);
    EXPECT_EQ(material.shader_type(), c.shader_type) << c.what;
    EXPECT_EQ(emitted(material), "material \"m\" {\n" + c.shaders + "}\n") << c.what;
}

const std::string kDiffuseTexture =
    "#define shader 1 texture2_rgb {\n\"uv_projection\" 4,\n\"texture\" \"C:/maps/d.png\",\n"
    "\"uv_scale_u\" 1,\n\"uv_scale_v\" 1,\n\"blend_color\" off,\n"
    "\"default_color\" 0.75 0.5 0.5,\n}\n";

INSTANTIATE_TEST_SUITE_P(
    Materials, GenericMaterialChains,
    testing::Values(
        GenericCase{"new material", [](zyl::GenericMaterial&) {}, "zyl_diffuse",
                    "#define shader 1 zyl_diffuse {\n\"diffuse\" 0.75 0.5 0.5,\n}\n"
                    "surface 1\nflags 4096\n"},
        GenericCase{"black specular colour still makes it plastic",
                    [](zyl::GenericMaterial& m) { m.set_specular_color(0.0f, 0.0f, 0.0f); },
                    "zyl_plastic_simple",
                    "#define shader 1 zyl_plastic_simple {\n\"diffuse\" 0.75 0.5 0.5,\n"
                    "\"specular\" 0 0 0,\n\"roughness\" 0,\n}\n"
                    "surface 1\nflags 4096\n"},
        GenericCase{"empty specular texture keeps it diffuse",
                    [](zyl::GenericMaterial& m) { m.set_specular_texture(""); }, "zyl_diffuse",
                    "#define shader 1 zyl_diffuse {\n\"diffuse\" 0.75 0.5 0.5,\n}\n"
                    "surface 1\nflags 4096\n"},
        GenericCase{"specular texture: its lookup also falls back to the diffuse colour",
                    [](zyl::GenericMaterial& m) {
                        m.set_diffuse_color(0.2f, 0.4f, 0.6f);
                        m.set_specular_texture("s.png");
                    },
                    "zyl_plastic_simple",
                    "#define shader 1 texture2_rgb {\n\"uv_projection\" 4,\n"
                    "\"texture\" \"s.png\",\n\"uv_scale_u\" 1,\n\"uv_scale_v\" 1,\n"
                    "\"blend_color\" off,\n\"default_color\" 0.2 0.4 0.6,\n}\n"
                    "#define shader 2 zyl_plastic_simple {\n\"specular\" ! 1,\n"
                    "\"diffuse\" 0.2 0.4 0.6,\n\"specular\" 0 0 0,\n\"roughness\" 0,\n}\n"
                    "surface 2\nflags 4096\n"},
        GenericCase{"diffuse texture: lookup first, colour kept after the reference",
                    [](zyl::GenericMaterial& m) { m.set_diffuse_texture("C:/maps/d.png"); },
                    "zyl_diffuse",
                    kDiffuseTexture + "#define shader 2 zyl_diffuse {\n\"diffuse\" ! 1,\n"
                                      "\"diffuse\" 0.75 0.5 0.5,\n}\n"
                                      "surface 2\nflags 4096\n"},
        GenericCase{"plastic with both textures",
                    [](zyl::GenericMaterial& m) {
                        m.set_diffuse_texture("C:/maps/d.png");
                        m.set_specular_color(1.0f, 1.0f, 1.0f);
                        m.set_specular_texture("s.png");
                    },
                    "zyl_plastic_simple",
                    kDiffuseTexture +
                        "#define shader 2 texture2_rgb {\n\"uv_projection\" 4,\n"
                        "\"texture\" \"s.png\",\n\"uv_scale_u\" 1,\n\"uv_scale_v\" 1,\n"
                        "\"blend_color\" off,\n\"default_color\" 0.75 0.5 0.5,\n}\n"
                        "#define shader 3 zyl_plastic_simple {\n\"diffuse\" ! 1,\n"
                        "\"specular\" ! 2,\n\"diffuse\" 0.75 0.5 0.5,\n\"specular\" 1 1 1,\n"
                        "\"roughness\" 0,\n}\n"
                        "surface 3\nflags 4096\n"},
        GenericCase{
            "bump and opacity: the surface is the composite over the bump over the base",
            [](zyl::GenericMaterial& m) {
                m.set_diffuse_texture("C:/maps/d.png");
                m.set_bump_texture("b.png");
                m.set_bump_height(0.5f);
                m.set_opacity_texture("o.png");
            },
            "zyl_diffuse",
            kDiffuseTexture +
                "#define shader 2 zyl_diffuse {\n\"diffuse\" ! 1,\n\"diffuse\" 0.75 0.5 0.5,\n}\n"
                "#define shader 3 texture2_rgb {\n\"texture\" \"b.png\",\n\"uv_projection\" 4,\n"
                "\"bump_height\" 0.5,\n\"uv_scale_u\" 1,\n\"uv_scale_v\" 1,\n\"bump_mode\" 0,\n}\n"
                "#define shader 4 zyl_bumpmap {\n\"bumpmap\" 3,\n\"shader\" 2,\n}\n"
                "#define shader 5 texture2_rgba {\n\"uv_projection\" 4,\n\"texture\" \"o.png\",\n"
                "\"uv_scale_u\" 1,\n\"uv_scale_v\" 1,\n}\n"
                "#define shader 6 zyl_advanced {\n\"diffuse\" ! 5,\n\"alpha\" 1,\n"
                "\"opacity_mode\" 2,\n\"use_diffuse_map_alpha\" on,\n}\n"
                "#define shader 7 zyl_composite {\n\"shaders\" [\n" +
                objects_test::block('i', std::vector<int32_t>{6, 4}) +
                " ],\n\"opacity_map\" on,\n}\n"
                "surface 7\nflags 4096\n"},
        GenericCase{"opacity alone composites over the base shader",
                    [](zyl::GenericMaterial& m) { m.set_opacity_texture("o.png"); }, "zyl_diffuse",
                    "#define shader 1 zyl_diffuse {\n\"diffuse\" 0.75 0.5 0.5,\n}\n"
                    "#define shader 2 texture2_rgba {\n\"uv_projection\" 4,\n"
                    "\"texture\" \"o.png\",\n\"uv_scale_u\" 1,\n\"uv_scale_v\" 1,\n}\n"
                    "#define shader 3 zyl_advanced {\n\"diffuse\" ! 2,\n\"alpha\" 1,\n"
                    "\"opacity_mode\" 2,\n\"use_diffuse_map_alpha\" on,\n}\n"
                    "#define shader 4 zyl_composite {\n\"shaders\" [\n" +
                        objects_test::block('i', std::vector<int32_t>{3, 1}) +
                        " ],\n\"opacity_map\" on,\n}\n"
                        "surface 4\nflags 4096\n"}));

TEST(ShaderBuilders, ShaderIdsContinueAcrossMaterialsOfOneFrontEnd) {
    zyl::GenericMaterial first("a");
    zyl::GenericMaterial second("b");
    second.set_specular_color(0.5f, 0.5f, 0.5f);
    SceneCapture capture;
    capture.api().emit(first);
    capture.api().emit(second);
    const std::string text = capture.scene();
    EXPECT_NE(text.find("#define shader 1 zyl_diffuse {\n"), std::string::npos);
    EXPECT_NE(text.find("#define shader 2 zyl_plastic_simple {\n"), std::string::npos);
    EXPECT_NE(text.find("surface 2\n"), std::string::npos);
}

TEST(ShaderBuilders, BlendedTextureAndScalesAreWrittenAsGiven) {
    SceneCapture capture;
    const int32_t id =
        capture.api().diffuse_shader({0.1f, 0.2f, 0.3f}, "tiles.png", true, 2.0f, 0.5f);
    EXPECT_EQ(id, 2);
    EXPECT_EQ(capture.scene(),
              "#define shader 1 texture2_rgb {\n\"uv_projection\" 4,\n\"texture\" \"tiles.png\",\n"
              "\"uv_scale_u\" 2,\n\"uv_scale_v\" 0.5,\n\"blend_color\" on,\n"
              "\"default_color\" 0.1 0.2 0.3,\n}\n"
              "#define shader 2 zyl_diffuse {\n\"diffuse\" ! 1,\n\"diffuse\" 0.1 0.2 0.3,\n}\n");
}

}  // namespace
