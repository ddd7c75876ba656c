// Transform animation of nodes: keys relative to the transform written for the node, only where
// the transform changes, dropped when the node does not move; world transforms in layer mode.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/exporter_animation/animation_view.h"
#include "tests/exporter_scene/scene_export.h"

namespace {

using animation_test::all_animations;
using animation_test::animations_in;
using animation_test::AnimationView;
using scene_test::ExportedScene;
using scene_test::ExportSettings;
using scene_test::outline;
using scene_test::row_numbers;
using ::testing::DoubleNear;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using ::testing::Pointwise;
using ::testing::SizeIs;

constexpr int kTicks = 160;

host::Mesh box() {
    return standin::make_box_mesh({1, 1, 1});
}

host::Matrix3 shift(float x, float y = 0.0f) {
    return host::Matrix3::translation({x, y, 0});
}

const vsf::Block& group_of(const ExportedScene& out, const std::string& name) {
    static const vsf::Block missing;
    const vsf::Block* group = out.object_group().block("group", name);
    EXPECT_NE(group, nullptr) << "no group " << name;
    return group ? *group : missing;
}

TEST(TransformAnimation, KeysOnlyTheFramesWhoseTransformChanged) {
    // Still on frames 0 to 9, moving on 10 and 11, still again from 12 to 20.
    standin::Scene scene;
    scene.set_animation_range(0, 20 * kTicks);
    standin::Node& mover = scene.add_mesh_node(u"Mover", box());
    mover.add_position_key(0, {0, 0, 0});
    mover.add_position_key(9 * kTicks, {0, 0, 0});
    mover.add_position_key(12 * kTicks, {6, 0, 0});
    mover.add_position_key(20 * kTicks, {6, 0, 0});

    const ExportedScene out(scene);

    const vsf::Block& group = group_of(out, "Mover");
    EXPECT_THAT(outline(group),
                ElementsAre("object Mover", "transform", "animation fbx_animation"));
    const std::vector<AnimationView> animations = animations_in(group);
    ASSERT_THAT(animations, SizeIs(1));
    const AnimationView& a = animations[0];
    EXPECT_EQ(a.name, "Mover3ds_animation");
    EXPECT_EQ(a.start_time, 0.0);
    EXPECT_NEAR(a.duration, 21 * 0.033, 1e-6);
    EXPECT_THAT(a.timestamps, ElementsAre(0, 330, 363, 396));
    ASSERT_THAT(a.matrices, SizeIs(4));
    EXPECT_THAT(a.matrices[0], Pointwise(DoubleNear(1e-6), row_numbers(host::Matrix3())));
    EXPECT_THAT(a.matrices[1], Pointwise(DoubleNear(1e-5), row_numbers(shift(2))));
    EXPECT_THAT(a.matrices[2], Pointwise(DoubleNear(1e-5), row_numbers(shift(4))));
    EXPECT_THAT(a.matrices[3], Pointwise(DoubleNear(1e-5), row_numbers(shift(6))));
}

struct CurrentTimeCase {
    const char* name;
    int current_frame;
};

class MotionRelativeToTheWrittenTransform : public ::testing::TestWithParam<CurrentTimeCase> {};

TEST_P(MotionRelativeToTheWrittenTransform, StartsWithAKeyAtZeroAndStopsWhenTheNodeStandsStill) {
    // Moves one unit per frame over frames 0 to 10, then stands still to frame 20.
    standin::Scene scene;
    scene.set_animation_range(0, 20 * kTicks);
    scene.set_current_time(GetParam().current_frame * kTicks, false);
    standin::Node& mover = scene.add_mesh_node(u"Mover", box());
    mover.add_position_key(0, {0, 0, 0});
    mover.add_position_key(10 * kTicks, {10, 0, 0});
    const float written_x = static_cast<float>(std::min(GetParam().current_frame, 10));

    const ExportedScene out(scene);

    const std::vector<AnimationView> animations = animations_in(group_of(out, "Mover"));
    ASSERT_THAT(animations, SizeIs(1));
    const AnimationView& a = animations[0];
    std::vector<int> stamps;
    for (int k = 0; k <= 10; ++k) {
        stamps.push_back(33 * k);
    }
    EXPECT_THAT(a.timestamps, ElementsAreArray(stamps));
    ASSERT_THAT(a.matrices, SizeIs(11));
    for (int k = 0; k <= 10; ++k) {
        EXPECT_THAT(
            a.matrices[static_cast<std::size_t>(k)],
            Pointwise(DoubleNear(1e-5), row_numbers(shift(static_cast<float>(k) - written_x))))
            << "frame " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MotionRelativeToTheWrittenTransform,
    ::testing::Values(CurrentTimeCase{"CurrentTimeAtTheStart", 0},
                      // The first key is then not the identity, and says where frame 0 is.
                      CurrentTimeCase{"CurrentTimeAfterTheMotion", 15}),
    [](const ::testing::TestParamInfo<CurrentTimeCase>& param_info) {
        return param_info.param.name;
    });

// A rig that rises one unit per frame over four frames, carrying a box fixed one unit beside it.
struct RisingRig {
    standin::Scene scene;
    standin::Node& rig;
    standin::Node& box_node;

    RisingRig()
        : rig(scene.add_helper_node(u"Rig")), box_node(scene.add_mesh_node(u"Box", box(), &rig)) {
        scene.set_animation_range(0, 4 * kTicks);
        rig.add_position_key(0, {0, 0, 0});
        rig.add_position_key(4 * kTicks, {0, 4, 0});
        box_node.set_transform(shift(1));
    }
};

TEST(TransformAnimation, TreeModeDropsTheKeysOfANodeThatKeepsStillOnItsMovingParent) {
    RisingRig rig;

    const ExportedScene out(rig.scene);

    const vsf::Block& rig_group = group_of(out, "Rig");
    const vsf::Block* box_group = rig_group.block("group", std::string("Box"));
    ASSERT_NE(box_group, nullptr);
    EXPECT_THAT(animations_in(*box_group), IsEmpty());
    // The rig itself moves, and carries the motion for both.
    const std::vector<AnimationView> animations = animations_in(rig_group);
    ASSERT_THAT(animations, SizeIs(1));
    EXPECT_EQ(animations[0].name, "Rig3ds_animation");
    EXPECT_THAT(animations[0].timestamps, ElementsAre(0, 33, 66, 99, 132));
}

TEST(TransformAnimation, LayerModeSamplesWorldTransforms) {
    RisingRig rig;
    ExportSettings settings;
    settings.options.layers = true;

    const ExportedScene out(rig.scene, settings);

    // Only the box converted something; its world transform rises with the rig.
    const std::vector<AnimationView> animations = all_animations(out.document());
    ASSERT_THAT(animations, SizeIs(1));
    const AnimationView& a = animations[0];
    EXPECT_EQ(a.name, "Box3ds_animation");
    EXPECT_THAT(a.timestamps, ElementsAre(0, 33, 66, 99, 132));
    ASSERT_THAT(a.matrices, SizeIs(5));
    for (int k = 0; k <= 4; ++k) {
        EXPECT_THAT(a.matrices[static_cast<std::size_t>(k)],
                    Pointwise(DoubleNear(1e-5), row_numbers(shift(0, static_cast<float>(k)))))
            << "frame " << k;
    }
}

TEST(TransformAnimation, IsNotSampledWhenTransformAnimationsAreOff) {
    RisingRig rig;
    ExportSettings settings;
    settings.options.transform_animations = false;

    const ExportedScene out(rig.scene, settings);

    EXPECT_THAT(all_animations(out.document()), IsEmpty());
}

}  // namespace
