// The import options that open every pass: the scene's unit as "meter_scale".
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/exporter_scene/scene_export.h"

namespace {

struct UnitCase {
    int unit_type;
    double units_per_metre;
};

class MeterScale : public ::testing::TestWithParam<UnitCase> {};

TEST_P(MeterScale, IsTheNumberOfSystemUnitsInOneMetre) {
    standin::Scene scene;
    scene.set_system_unit_type(GetParam().unit_type);

    const scene_test::ExportedScene out(scene);

    const vsf::Block* load = out.document().root.block("load", std::string("zylrtopt.so"));
    ASSERT_NE(load, nullptr);
    const double expected = static_cast<float>(GetParam().units_per_metre);
    EXPECT_THAT(scene_test::numbers(load->param("meter_scale")),
                ::testing::ElementsAre(::testing::DoubleNear(expected, expected * 1e-6)));
}

INSTANTIATE_TEST_SUITE_P(
    Units, MeterScale,
    ::testing::Values(UnitCase{host::kUnitInches, 39.37008}, UnitCase{host::kUnitFeet, 3.28084},
                      UnitCase{host::kUnitMiles, 1.0 / 1609.344},
                      UnitCase{host::kUnitMillimeters, 1000.0},
                      UnitCase{host::kUnitCentimeters, 100.0}, UnitCase{host::kUnitMeters, 1.0},
                      UnitCase{host::kUnitKilometers, 0.001}, UnitCase{42, 1.0}));

}  // namespace
