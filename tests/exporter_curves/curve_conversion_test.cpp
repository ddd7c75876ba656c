// Splines, lines and outlines as curves: one curves object per shape node holding every spline's
// control polygon, with the shape's thickness as radius; which shapes are written at all.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/exporter_curves/curves_view.h"
#include "tests/exporter_scene/scene_export.h"

namespace {

using curves_test::curves_in;
using curves_test::CurvesView;
using curves_test::expected_polygon;
using scene_test::ExportedScene;
using scene_test::ExportSettings;
using scene_test::numbers;
using ::testing::DoubleNear;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::FloatEq;
using ::testing::SizeIs;

// A shape primitive that is not an editable spline: it becomes one as a temporary.
constexpr host::ClassId kCircleClassId{0x5A06, 0};

// A closed circle of four knots in the xy plane, with the usual tangent handles.
host::Spline3D circle(float r) {
    const float h = 0.5522848f * r;
    std::vector<host::BezierKnot> knots = {
        {{r, -h, 0}, {r, 0, 0}, {r, h, 0}},
        {{h, r, 0}, {0, r, 0}, {-h, r, 0}},
        {{-r, h, 0}, {-r, 0, 0}, {-r, -h, 0}},
        {{-h, -r, 0}, {0, -r, 0}, {h, -r, 0}},
    };
    return host::Spline3D(std::move(knots), true);
}

host::Spline3D line3() {
    return standin::polyline_spline({{0, 0, 0}, {3, 0, 0}, {3, 6, 1}});
}

standin::ShapeSettings shape_of(std::vector<host::Spline3D> splines, bool renderable = true,
                                float thickness = 1.0f) {
    standin::ShapeSettings settings;
    settings.splines = std::move(splines);
    settings.renderable = renderable;
    settings.thickness = thickness;
    return settings;
}

ExportSettings general_curves_on(float multiplier = 1.0f) {
    ExportSettings settings;
    settings.options.general_curves = true;
    settings.options.curve_radius_multiplier = multiplier;
    return settings;
}

// The diffuse colour of a plain material, as written in its surface shader.
std::vector<double> diffuse_color(const vsf::Block* material) {
    const vsf::Param* surface = material ? material->param("surface") : nullptr;
    const vsf::Value* shader = surface ? surface->value() : nullptr;
    if (!shader || !shader->shader || shader->shader->name() != "zyl_diffuse") {
        return {};
    }
    return numbers(shader->shader->param("diffuse"));
}

TEST(Curves, ClosedCircleIsOneCubicPolygonEndingOnItsFirstKnot) {
    standin::Scene scene;
    standin::ShapeSettings settings = shape_of({circle(2.0f)}, true, 0.25f);
    settings.class_id = kCircleClassId;
    standin::Node& node = scene.add_shape_node(u"Circle", settings);
    node.set_transform(host::Matrix3::translation({5, 0, 0}));

    const ExportedScene out(scene, general_curves_on(3.0f));

    const std::vector<CurvesView> curves = curves_in(out.document());
    ASSERT_THAT(curves, SizeIs(1));
    const CurvesView& c = curves[0];
    EXPECT_EQ(c.name, "Circle");
    EXPECT_THAT(c.counts, ElementsAre(13));
    // Control points stay in the shape's own space: the node's transform places them.
    EXPECT_THAT(c.points, ElementsAreArray(expected_polygon(circle(2.0f))));
    ASSERT_THAT(c.points, SizeIs(39));
    EXPECT_THAT(std::vector<float>(c.points.end() - 3, c.points.end()),
                ElementsAre(c.points[0], c.points[1], c.points[2]));
    EXPECT_THAT(c.radii, SizeIs(13));
    EXPECT_THAT(c.radii, Each(FloatEq(1.0f)));
    EXPECT_THAT(c.colors, SizeIs(39));
    EXPECT_THAT(c.colors, Each(FloatEq(0.8f)));
    EXPECT_FLOAT_EQ(c.radius, 0.25f * 3.0f);  // thickness times the multiplier
    EXPECT_EQ(c.order, 4);
    ASSERT_NE(c.material, nullptr);
    EXPECT_EQ(c.material->name(), "curve");
    EXPECT_THAT(diffuse_color(c.material),
                ElementsAre(DoubleNear(0.8, 1e-6), DoubleNear(0.8, 1e-6), DoubleNear(0.8, 1e-6)));
    // The curves stand in the node's group, before its transform; the temporary spline is gone.
    const vsf::Block* group = out.object_group().block("group", std::string("Circle"));
    ASSERT_NE(group, nullptr);
    EXPECT_THAT(scene_test::outline(*group), ElementsAre("object Circle", "transform"));
    EXPECT_EQ(scene.live_temporaries(), 0);
}

struct SplineCase {
    const char* name;
    std::vector<host::Spline3D> splines;
    std::vector<std::int32_t> counts;  // of the curves written, in spline order
};

class ShapeSplines : public ::testing::TestWithParam<SplineCase> {};

TEST_P(ShapeSplines, EachSplineWithSegmentsBecomesOneCurveInSplineOrder) {
    const SplineCase& c = GetParam();
    standin::Scene scene;
    scene.add_shape_node(u"Shape", shape_of(c.splines));

    const ExportedScene out(scene, general_curves_on());

    const std::vector<CurvesView> curves = curves_in(out.document());
    ASSERT_THAT(curves, SizeIs(1));
    EXPECT_THAT(curves[0].counts, ElementsAreArray(c.counts));
    std::vector<float> polygons;
    for (const host::Spline3D& spline : c.splines) {
        if (spline.segment_count() > 0) {
            const std::vector<float> p = expected_polygon(spline);
            polygons.insert(polygons.end(), p.begin(), p.end());
        }
    }
    EXPECT_THAT(curves[0].points, ElementsAreArray(polygons));
    EXPECT_THAT(curves[0].radii, SizeIs(polygons.size() / 3));
    EXPECT_THAT(curves[0].colors, SizeIs(polygons.size()));
}

host::Spline3D single_knot() {
    return standin::polyline_spline({{7, 7, 7}});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShapeSplines,
    ::testing::Values(SplineCase{"OpenLineOfThreeKnots", {line3()}, {7}},
                      SplineCase{"TwoSplines", {circle(1.0f), line3()}, {13, 7}},
                      // A lone knot has no segment: it adds no curve, not a curve of one point
                      // whose radius and colour would be 0 / 0 along it.
                      SplineCase{
                          "LoneKnotAddsNoCurve", {line3(), single_knot(), circle(1.0f)}, {7, 13}},
                      SplineCase{"OnlyLoneKnots", {single_knot()}, {}}),
    [](const ::testing::TestParamInfo<SplineCase>& param_info) { return param_info.param.name; });

struct SkipCase {
    const char* name;
    bool general_curves;
    bool renderable;
    bool update_mode;
    bool changed;
    bool written;
};

class GeneralShapes : public ::testing::TestWithParam<SkipCase> {};

TEST_P(GeneralShapes, AreWrittenOnlyWhenOnRenderableAndChangedInAnUpdate) {
    const SkipCase& c = GetParam();
    standin::Scene scene;
    standin::Node& node = scene.add_shape_node(u"Circle", shape_of({circle(1.0f)}, c.renderable));
    ExportSettings settings = general_curves_on();
    settings.options.general_curves = c.general_curves;
    settings.update_mode = c.update_mode;
    if (c.changed) {
        settings.changed_nodes.insert(&node);
    }

    const ExportedScene out(scene, settings);

    EXPECT_THAT(curves_in(out.document()), SizeIs(c.written ? 1 : 0));
    // The node keeps its group and transform either way.
    const vsf::Block* group = out.object_group().block("group", std::string("Circle"));
    ASSERT_NE(group, nullptr);
    EXPECT_NE(group->param("transform"), nullptr);
    EXPECT_EQ(scene.live_temporaries(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GeneralShapes,
    ::testing::Values(SkipCase{"Renderable", true, true, false, false, true},
                      SkipCase{"NotSetToRender", true, false, false, false, false},
                      SkipCase{"GeneralCurvesOff", false, true, false, false, false},
                      SkipCase{"UpdateOfChangedShape", true, true, true, true, true},
                      SkipCase{"UpdateOfUnchangedShape", true, true, true, false, false}),
    [](const ::testing::TestParamInfo<SkipCase>& param_info) { return param_info.param.name; });

}  // namespace
