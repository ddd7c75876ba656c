// Deforming meshes: one deformable animation per material slot, each holding the slot's mesh at
// every frame at which the mesh has faces, with the frame numbers and times of the range.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "tests/exporter_animation/animation_view.h"
#include "tests/exporter_scene/scene_export.h"

namespace {

using animation_test::AnimationView;
using animation_test::view_of;
using scene_test::ExportedScene;
using scene_test::ExportSettings;
using ::testing::ElementsAre;
using ::testing::FloatNear;
using ::testing::IsEmpty;
using ::testing::SizeIs;

constexpr int kTicks = 160;

// One deformable animation as written: the animation block and its frame objects.
struct DeformableView {
    AnimationView animation;
    std::vector<std::string> frame_names;
    std::vector<std::string> materials;  // of each frame object
    std::vector<float> extents;          // of each frame: the largest |coordinate|
};

// The deformable groups inside the node group called name.
std::vector<DeformableView> deformables(const ExportedScene& out, const std::string& name) {
    std::vector<DeformableView> found;
    const vsf::Block* node_group = out.object_group().block("group", name);
    if (!node_group) {
        ADD_FAILURE() << "no group " << name;
        return found;
    }
    for (const vsf::Block& group : node_group->blocks) {
        const vsf::Block* animation = group.block("animation");
        if (group.keyword != "group" || !animation) {
            continue;
        }
        DeformableView view;
        view.animation = view_of(*animation);
        for (const vsf::Block& object : group.blocks) {
            if (object.keyword != "object") {
                continue;
            }
            view.frame_names.push_back(object.name());
            const vsf::Block* material = object.block("material");
            view.materials.push_back(material ? material->name() : std::string());
            float extent = 0.0f;
            const vsf::Block* geometry = object.block("geometry");
            const vsf::Param* vertices = geometry ? geometry->param("vertices") : nullptr;
            if (vertices && vertices->array()) {
                for (float v : vertices->array()->floats) {
                    extent = std::max(extent, std::fabs(v));
                }
            }
            view.extents.push_back(extent);
        }
        found.push_back(std::move(view));
    }
    return found;
}

host::Mesh box(float size) {
    return standin::make_box_mesh({size, size, size});
}

// A box that grows from edge 2 to edge 4 over frames 0 to 4, its sides alternating between two
// materials.
struct GrowingBox {
    standin::Scene scene;
    standin::Node& node;

    GrowingBox() : node(scene.add_mesh_node(u"Blob", box(2.0f))) {
        scene.set_animation_range(0, 4 * kTicks);
        standin::MultiMaterial& multi = scene.add_multi_material(u"Multi", 2);
        multi.set_sub_material(0, &scene.add_standard_material(u"Red"));
        multi.set_sub_material(1, &scene.add_standard_material(u"Blue"));
        node.set_material(&multi);
        node.mesh_object()->add_vertex_key(0, box(2.0f).verts);
        node.mesh_object()->add_vertex_key(4 * kTicks, box(4.0f).verts);
    }
};

TEST(DeformingMesh, MorphingMeshWithTwoMaterialsGivesOneAnimationPerMaterial) {
    GrowingBox blob;

    const ExportedScene out(blob.scene);

    const std::vector<DeformableView> found = deformables(out, "Blob");
    ASSERT_THAT(found, SizeIs(2));
    const char* materials[] = {"Red", "Blue"};
    for (std::size_t slot = 0; slot < 2; ++slot) {
        const DeformableView& d = found[slot];
        EXPECT_EQ(d.animation.kind, "deformable");
        EXPECT_EQ(d.animation.name, "Blob_deformable");
        EXPECT_EQ(d.animation.start_time, 0.0);
        EXPECT_NEAR(d.animation.duration, 5 * 0.033, 1e-6);
        EXPECT_THAT(d.animation.timestamps, ElementsAre(0, 33, 66, 99, 132));
        EXPECT_THAT(d.frame_names, ElementsAre("zyl_deform_0", "zyl_deform_1", "zyl_deform_2",
                                               "zyl_deform_3", "zyl_deform_4"));
        EXPECT_THAT(d.materials, ::testing::Each(std::string(materials[slot])));
        ASSERT_THAT(d.extents, SizeIs(5));
        for (int k = 0; k < 5; ++k) {
            EXPECT_THAT(d.extents[static_cast<std::size_t>(k)], FloatNear(1.0f + 0.25f * k, 1e-5f))
                << "slot " << slot << " frame " << k;
        }
    }
    // The deforming mesh replaces the static one.
    const vsf::Block* group = out.object_group().block("group", std::string("Blob"));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->block("object"), nullptr);
    EXPECT_EQ(blob.scene.live_temporaries(), 0);
}

TEST(DeformingMesh, FramesWithoutFacesAreLeftOutAndTheOthersKeepTheirNumbers) {
    standin::Scene scene;
    scene.set_animation_range(0, 5 * kTicks);
    standin::Node& node = scene.add_mesh_node(u"Blob", box(2.0f));
    node.mesh_object()->add_mesh_key(0, box(2.0f));
    node.mesh_object()->add_mesh_key(2 * kTicks, host::Mesh{});  // empty on frames 2 and 3
    node.mesh_object()->add_mesh_key(4 * kTicks, box(4.0f));

    const ExportedScene out(scene);

    const std::vector<DeformableView> found = deformables(out, "Blob");
    ASSERT_THAT(found, SizeIs(1));
    EXPECT_THAT(found[0].animation.timestamps, ElementsAre(0, 33, 132, 165));
    EXPECT_THAT(found[0].frame_names,
                ElementsAre("zyl_deform_0", "zyl_deform_1", "zyl_deform_4", "zyl_deform_5"));
    EXPECT_THAT(found[0].extents, ElementsAre(1.0f, 1.0f, 2.0f, 2.0f));
}

TEST(DeformingMesh, ALiveUpdateSendsItOnlyWhenTheNodeChanged) {
    for (const bool changed : {false, true}) {
        GrowingBox blob;
        ExportSettings settings;
        settings.update_mode = true;
        if (changed) {
            settings.changed_nodes.insert(&blob.node);
        }

        const ExportedScene out(blob.scene, settings);

        EXPECT_THAT(deformables(out, "Blob"), SizeIs(changed ? 2 : 0)) << changed;
    }
}

}  // namespace
