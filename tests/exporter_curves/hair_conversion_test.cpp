// Hair and fur as curves: the conversion script turns each hair modifier into a temporary shape
// that carries the hair's thickness and colours; every strand becomes one curve whose radius and
// colour run from root to tip, with the curve material when the two colours differ.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/exporter_curves/curves_view.h"
#include "tests/exporter_scene/scene_export.h"

namespace {

using curves_test::curves_in;
using curves_test::CurvesView;
using scene_test::ExportedScene;
using scene_test::ExportSettings;
using scene_test::numbers;
using ::testing::DoubleNear;
using ::testing::ElementsAre;
using ::testing::FloatNear;
using ::testing::IsEmpty;
using ::testing::SizeIs;

// Two strands of three points each, in the object's own space: two segments, seven control
// points per strand.
standin::HairSettings fur(host::Color root, host::Color tip) {
    standin::HairSettings hair;
    hair.root_thickness = 4.0f;
    hair.tip_thickness = 1.0f;
    hair.root_color = root;
    hair.tip_color = tip;
    hair.hue_variation = 10.0f;
    hair.value_variation = 50.0f;
    hair.strands = {{{0, 0, 0}, {0, 0, 1}, {0, 0.5f, 2}}, {{1, 0, 0}, {1, 0, 1}, {1, 0, 3}}};
    return hair;
}

standin::Node& add_furry_box(standin::Scene& scene, const standin::HairSettings& hair) {
    standin::Node& box = scene.add_mesh_node(u"Fur", standin::make_box_mesh({2, 2, 2}));
    box.mesh_object()->set_hair(hair);
    return box;
}

// The length of the diagonal of the strands' box (the hair shape's own box).
float strand_box_diagonal(const standin::HairSettings& hair) {
    host::Box3 box;
    for (const auto& strand : hair.strands) {
        for (const host::Point3& p : strand) {
            box += p;
        }
    }
    return host::length(box.width());
}

// The shader of a numbered shader block below material with this type; null when there is none.
const vsf::Block* shader_of_type(const vsf::Block& material, const std::string& type) {
    for (const vsf::Block* shader : material.find_all("shader")) {
        for (const vsf::Value& arg : shader->args) {
            if (arg.text == type) {
                return shader;
            }
        }
    }
    return nullptr;
}

TEST(Hair, RootToTipColoursGiveTheCurveMaterialAndRunAlongEveryStrand) {
    standin::Scene scene;
    const standin::HairSettings hair = fur({1, 0, 0}, {0, 0, 1});
    add_furry_box(scene, hair);
    // General curves are off by default: hair is written all the same.
    scene.add_shape_node(u"Outline",
                         standin::ShapeSettings{{standin::polyline_spline({{0, 0, 0}, {1, 1, 1}})},
                                                true,
                                                1.0f,
                                                host::kSplineShapeClassId});
    ExportSettings settings;
    settings.options.curve_radius_multiplier = 2.0f;

    const ExportedScene out(scene, settings);

    const std::vector<CurvesView> curves = curves_in(out.document());
    ASSERT_THAT(curves, SizeIs(1));
    const CurvesView& c = curves[0];
    EXPECT_EQ(c.name, "Fur");
    EXPECT_THAT(c.counts, ElementsAre(7, 7));
    ASSERT_THAT(c.radii, SizeIs(14));
    ASSERT_THAT(c.colors, SizeIs(42));
    for (int strand = 0; strand < 2; ++strand) {
        for (int k = 0; k < 7; ++k) {
            const float t = static_cast<float>(k) / 6.0f;
            const std::size_t i = static_cast<std::size_t>(strand * 7 + k);
            EXPECT_THAT(c.radii[i], FloatNear(4.0f + (1.0f - 4.0f) * t, 1e-6f)) << i;
            EXPECT_THAT(c.colors[3 * i], FloatNear(1.0f - t, 1e-6f)) << i;
            EXPECT_THAT(c.colors[3 * i + 1], FloatNear(0.0f, 1e-6f)) << i;
            EXPECT_THAT(c.colors[3 * i + 2], FloatNear(t, 1e-6f)) << i;
        }
    }
    EXPECT_NEAR(c.radius, strand_box_diagonal(hair) * 2.0f * 0.0001f, 1e-9);
    EXPECT_EQ(c.order, 4);

    ASSERT_NE(c.material, nullptr);
    EXPECT_EQ(c.material->name(), "curve");
    const vsf::Block* randomizer = shader_of_type(*c.material, "zyl_curve_randomize");
    ASSERT_NE(randomizer, nullptr) << out.path();
    EXPECT_THAT(numbers(randomizer->param("hue")), ElementsAre(DoubleNear(0.01, 1e-7)));
    EXPECT_THAT(numbers(randomizer->param("value")), ElementsAre(DoubleNear(0.5, 1e-7)));
    // The colours come from the curves themselves.
    EXPECT_NE(shader_of_type(*c.material, "vertex_color"), nullptr);
}

TEST(Hair, EqualRootAndTipColoursGiveAPlainMaterialOfThatColour) {
    standin::Scene scene;
    add_furry_box(scene, fur({0.25f, 0.5f, 0.75f}, {0.25f, 0.5f, 0.75f}));

    const ExportedScene out(scene);

    const std::vector<CurvesView> curves = curves_in(out.document());
    ASSERT_THAT(curves, SizeIs(1));
    const vsf::Block* material = curves[0].material;
    ASSERT_NE(material, nullptr);
    EXPECT_EQ(material->name(), "curve");
    EXPECT_EQ(shader_of_type(*material, "zyl_curve_randomize"), nullptr);
    const vsf::Param* surface = material->param("surface");
    ASSERT_TRUE(surface && surface->value() && surface->value()->shader);
    EXPECT_EQ(surface->value()->shader->name(), "zyl_diffuse");
    EXPECT_THAT(numbers(surface->value()->shader->param("diffuse")),
                ElementsAre(DoubleNear(0.25, 1e-6), DoubleNear(0.5, 1e-6), DoubleNear(0.75, 1e-6)));
    ASSERT_THAT(curves[0].colors, SizeIs(42));
    for (std::size_t i = 0; i < curves[0].colors.size(); i += 3) {
        EXPECT_THAT(std::vector<float>(curves[0].colors.begin() + static_cast<long>(i),
                                       curves[0].colors.begin() + static_cast<long>(i) + 3),
                    ElementsAre(0.25f, 0.5f, 0.75f))
            << i;
    }
}

TEST(Hair, IsWrittenInEveryUpdateAndItsTemporaryShapesLeaveTheScene) {
    standin::Scene scene;
    add_furry_box(scene, fur({1, 0, 0}, {0, 0, 1}));
    const std::size_t nodes_before = scene.nodes().size();
    ExportSettings settings;
    settings.update_mode = true;  // nothing changed

    const ExportedScene out(scene, settings);

    EXPECT_THAT(curves_in(out.document()), SizeIs(1));
    EXPECT_EQ(scene.nodes().size(), nodes_before);
    EXPECT_THAT(scene.script_errors(), IsEmpty());
}

TEST(Hair, IsNotWrittenWhenHairAndFurIsOff) {
    standin::Scene scene;
    add_furry_box(scene, fur({1, 0, 0}, {0, 0, 1}));
    ExportSettings settings;
    settings.options.hair_and_fur = false;

    const ExportedScene out(scene, settings);

    EXPECT_THAT(curves_in(out.document()), IsEmpty());
    EXPECT_THAT(scene.scripts_run(), IsEmpty());
}

}  // namespace
