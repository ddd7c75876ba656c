// Camera animation: the camera's world transform at every frame of the range, carried instead of
// a static transform.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/exporter_animation/animation_view.h"
#include "tests/exporter_scene/scene_export.h"

namespace {

using animation_test::animations_in;
using animation_test::AnimationView;
using scene_test::ExportedScene;
using scene_test::row_numbers;
using ::testing::DoubleNear;
using ::testing::ElementsAreArray;
using ::testing::Pointwise;
using ::testing::SizeIs;

TEST(CameraAnimation, KeysEveryFrameOfTheRangeWithTheWorldTransformAndNoStaticTransform) {
    standin::Scene scene;
    scene.set_animation_range(0, 3000);  // 18.75 frames at 160 ticks
    standin::Node& rig = scene.add_helper_node(u"Rig");
    rig.set_transform(host::Matrix3::rotation_z(0.5f) * host::Matrix3::translation({0, 0, 2}));
    standin::Node& camera = scene.add_camera_node(u"Cam", standin::CameraSettings{}, &rig);
    // Moves over the first ten frames, then stands still.
    camera.add_position_key(0, {0, 0, 0});
    camera.add_position_key(1600, {10, 0, 0});

    const ExportedScene out(scene);

    const vsf::Block* block = out.object_group().block("camera", std::string("Cam"));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->param("transform"), nullptr);
    const std::vector<AnimationView> animations = animations_in(*block);
    ASSERT_THAT(animations, SizeIs(1));
    const AnimationView& a = animations[0];
    EXPECT_EQ(a.kind, "fbx_animation");
    EXPECT_EQ(a.name, "3ds_animation");
    EXPECT_EQ(a.start_time, 0.0);
    EXPECT_NEAR(a.duration, 0.65175, 1e-6);
    std::vector<int> stamps;
    for (int k = 0; k < 19; ++k) {
        stamps.push_back(33 * k);
    }
    EXPECT_THAT(a.timestamps, ElementsAreArray(stamps));
    ASSERT_THAT(a.matrices, SizeIs(19));
    for (int k = 0; k < 19; ++k) {
        EXPECT_THAT(a.matrices[static_cast<std::size_t>(k)],
                    Pointwise(DoubleNear(1e-5), row_numbers(camera.node_tm(160 * k, nullptr))))
            << "frame " << k;
    }
}

}  // namespace
