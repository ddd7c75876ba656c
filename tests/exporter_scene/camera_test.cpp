// Cameras: where they stand in the file, how they are placed, their clipping range, and the sky
// light's environment image that they carry.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tests/exporter_scene/scene_export.h"

namespace {

using scene_test::ExportedScene;
using scene_test::ExportSettings;
using scene_test::numbers;
using scene_test::outline;
using scene_test::row_numbers;
using ::testing::DoubleNear;
using ::testing::ElementsAre;
using ::testing::Pointwise;

const vsf::Block* camera_block(const ExportedScene& out, const std::string& name) {
    return out.object_group().block("camera", name);
}

// The anonymous environment shader written as the camera's "reflection map".
const vsf::Block* environment(const vsf::Block& camera) {
    const vsf::Param* map = camera.param("reflection map");
    return map && !map->values.empty() ? map->values[0].shader.get() : nullptr;
}

TEST(Cameras, StandBeforeEveryNodeGroupAndArePlacedByTheirNodesWorldTransform) {
    standin::Scene scene;
    standin::Node& rig = scene.add_helper_node(u"Rig");
    rig.set_transform(host::Matrix3::translation({0, 0, 10}));
    standin::CameraSettings settings;
    settings.fov = 0.7853982f;  // 45 degrees
    standin::Node& camera = scene.add_camera_node(u"Cam", settings, &rig);
    const host::Matrix3 local =
        host::Matrix3::rotation_x(0.5f) * host::Matrix3::translation({1, 2, 3});
    camera.set_transform(local);
    standin::Node& hidden = scene.add_camera_node(u"Hidden", settings);
    hidden.set_hidden(true);

    const ExportedScene out(scene);

    EXPECT_THAT(outline(out.object_group()),
                ElementsAre("flags", "camera Cam", "camera Hidden", "group Rig", "group Hidden"));
    const vsf::Block& cam = *camera_block(out, "Cam");
    EXPECT_THAT(numbers(cam.param("fov")), ElementsAre(DoubleNear(45.0, 1e-4)));
    EXPECT_THAT(numbers(cam.param("position")), ElementsAre(0, 0, 0));
    EXPECT_THAT(numbers(cam.param("direction")), ElementsAre(0, 0, -1));
    EXPECT_THAT(numbers(cam.param("up")), ElementsAre(0, 1, 0));
    EXPECT_THAT(
        numbers(cam.param("transform")),
        Pointwise(DoubleNear(1e-5), row_numbers(local * host::Matrix3::translation({0, 0, 10}))));
    EXPECT_EQ(cam.param("clipping"), nullptr);
}

struct ClippingCase {
    bool manual;
    float near_clip;
    bool written;
};

class CameraClipping : public ::testing::TestWithParam<ClippingCase> {};

TEST_P(CameraClipping, IsWrittenOnlyForManualClippingBeyondANearDistanceOfOne) {
    const ClippingCase c = GetParam();
    standin::Scene scene;
    standin::CameraSettings settings;
    settings.manual_clip = c.manual;
    settings.near_clip = c.near_clip;
    settings.far_clip = 500.0f;
    scene.add_camera_node(u"Cam", settings);

    const ExportedScene out(scene);

    const vsf::Param* clipping = camera_block(out, "Cam")->param("clipping");
    if (c.written) {
        EXPECT_THAT(numbers(clipping), ElementsAre(c.near_clip, 500.0));
    } else {
        EXPECT_EQ(clipping, nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, CameraClipping,
                         ::testing::Values(ClippingCase{true, 1.0f, false},
                                           ClippingCase{true, 1.5f, true},
                                           ClippingCase{false, 1.5f, false}));

TEST(Cameras, CarryTheSkyLightsEnvironmentImageSizedByTheScene) {
    standin::Scene scene;
    standin::BitmapTexture& sky_map = scene.add_bitmap_texture(u"Sky", u"/maps/sky.hdr");
    standin::SkyLightSettings sky;
    sky.map = &sky_map;
    scene.add_camera_node(u"Cam", standin::CameraSettings{});
    // The sky light comes after the camera in the tree: the pre-pass still finds it.
    scene.add_sky_light_node(u"Sky", sky);
    // Bounds diagonal sqrt(3^2 + 4^2 + 12^2) = 13: the environment's radius is 4 x 13.
    scene.add_mesh_node(u"Box", standin::make_box_mesh({3, 4, 12}));

    const ExportedScene out(scene);

    const vsf::Block& cam = *camera_block(out, "Cam");
    EXPECT_THAT(numbers(cam.param("flags")), ElementsAre(16));
    const vsf::Block* env = environment(cam);
    ASSERT_NE(env, nullptr);
    EXPECT_EQ(env->param("texture")->values[0].text, "/maps/sky.hdr");
    EXPECT_THAT(numbers(env->param("radius")), ElementsAre(52));
}

TEST(Cameras, WithoutASkyLightKeepTheDefaultEnvironment) {
    standin::Scene scene;
    scene.add_camera_node(u"Cam", standin::CameraSettings{});
    ExportSettings settings;
    settings.options.sky_lights = true;

    const ExportedScene out(scene, settings);

    const vsf::Block& cam = *camera_block(out, "Cam");
    EXPECT_EQ(cam.param("flags"), nullptr);
    ASSERT_NE(environment(cam), nullptr);
    EXPECT_EQ(environment(cam)->param("texture")->values[0].text, "startup.hdr");
}

TEST(Cameras, AreLeftOutWhenCamerasAreOff) {
    standin::Scene scene;
    scene.add_camera_node(u"Cam", standin::CameraSettings{});
    ExportSettings settings;
    settings.options.cameras = false;

    const ExportedScene out(scene, settings);

    EXPECT_THAT(outline(out.object_group()), ElementsAre("flags", "group Cam"));
}

}  // namespace
