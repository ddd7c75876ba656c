// The embedded demo scene, exported whole: its spline, hair, animated camera, turning node and
// deforming mesh all reach the file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "standin/host/demo_scene.h"
#include "tests/exporter_animation/animation_view.h"
#include "tests/exporter_scene/scene_export.h"

namespace {

using animation_test::animations_in;
using animation_test::AnimationView;
using scene_test::ExportedScene;
using scene_test::ExportSettings;
using ::testing::SizeIs;

// The curve counts of the "zyl_curves" object in the first node group called name; -1 when the
// group holds no curves.
int curve_count(const vsf::Block& object_group, const std::string& name) {
    for (const vsf::Block* group : object_group.find_all("group")) {
        if (group->name() != name) {
            continue;
        }
        for (const vsf::Block& object : group->blocks) {
            const vsf::Block* geometry = object.block("geometry");
            if (object.keyword == "object" && geometry && geometry->name() == "zyl_curves") {
                const vsf::Param* counts = geometry->param("nvertices");
                return counts && counts->array() ? static_cast<int>(counts->array()->size()) : 0;
            }
        }
    }
    return -1;
}

TEST(DemoScene, EveryCurveAndAnimationOfTheDemoReachesTheFile) {
    exporter_test::ScratchFolder images("demo-images");
    standin::Scene scene;
    standin::build_demo_scene(scene, images.path().string());
    ExportSettings settings;
    settings.options.general_curves = true;  // the ribbon is a general spline

    const ExportedScene out(scene, settings);
    const vsf::Block& objects = out.object_group();

    EXPECT_EQ(curve_count(objects, "Ribbon"), 1);
    EXPECT_EQ(curve_count(objects, "Furball"), 400);  // one curve per strand

    const vsf::Block* camera = objects.block("camera", std::string("Camera"));
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(camera->param("transform"), nullptr);
    const std::vector<AnimationView> camera_keys = animations_in(*camera);
    ASSERT_THAT(camera_keys, SizeIs(1));
    EXPECT_THAT(camera_keys[0].timestamps, SizeIs(121));  // frames 0 to 120

    std::vector<std::string> names;
    for (const vsf::Block* animation : out.document().root.find_all("animation")) {
        names.push_back(animation->args.size() > 1 ? animation->args[1].text : std::string());
    }
    EXPECT_THAT(names, ::testing::UnorderedElementsAre("3ds_animation", "Globe3ds_animation",
                                                       "Flag_deformable"));
    for (const vsf::Block* animation : out.document().root.find_all("animation")) {
        const AnimationView view = animation_test::view_of(*animation);
        EXPECT_THAT(view.timestamps, ::testing::Not(::testing::IsEmpty())) << view.name;
    }
    EXPECT_EQ(scene.live_temporaries(), 0);
}

TEST(DemoScene, HairIsWrittenWithTheDefaultOptionsAndTheRibbonIsNot) {
    exporter_test::ScratchFolder images("demo-images");
    standin::Scene scene;
    standin::build_demo_scene(scene, images.path().string());
    ExportSettings settings;
    settings.options.deformable = false;  // the flag's frames have nothing to do with curves

    const ExportedScene out(scene, settings);

    EXPECT_EQ(curve_count(out.object_group(), "Ribbon"), -1);
    EXPECT_EQ(curve_count(out.object_group(), "Furball"), 400);
}

}  // namespace
