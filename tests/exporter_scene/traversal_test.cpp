// The order and grouping of what a pass writes: import options, the "object" group, node groups in
// tree and layer mode, transforms, names, progress and cancel.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exporter/hair_scripts.h"
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

const vsf::Block& child_group(const vsf::Block& parent, const std::string& name) {
    static const vsf::Block missing;
    const vsf::Block* group = parent.block("group", name);
    EXPECT_NE(group, nullptr) << "no group " << name;
    return group ? *group : missing;
}

host::Mesh box() {
    return standin::make_box_mesh({1.0f, 1.0f, 1.0f});
}

TEST(Traversal, EmptySceneHoldsImportOptionsAndAnEmptyObjectGroup) {
    standin::Scene scene;
    const ExportedScene out(scene);

    EXPECT_THAT(outline(out.document().root),
                ElementsAre("#print", "version", "load zylrtopt.so", "group object"));
    EXPECT_THAT(outline(out.object_group()), ElementsAre("flags"));
    EXPECT_THAT(numbers(out.object_group().param("flags")), ElementsAre(0));

    const vsf::Block& load = *out.document().root.block("load");
    const auto option = [&load](const char* name) {
        const vsf::Param* p = load.param(name);
        return p && !p->values.empty() ? p->values[0] : vsf::Value{};
    };
    EXPECT_TRUE(option("import_mode").as_bool());
    EXPECT_FALSE(option("import_merge_groups").as_bool());
    EXPECT_TRUE(option("import_merge_objects").as_bool());
    EXPECT_EQ(option("import_up_vector").as_int(), 2);
    EXPECT_TRUE(option("import_keep_original").as_bool());
    EXPECT_FALSE(option("import_center_geometry").as_bool());
    EXPECT_TRUE(option("import_adjust_camera").as_bool());
    EXPECT_TRUE(option("import_adjust_environment").as_bool());
    EXPECT_FALSE(option("ext").as_bool());
}

TEST(Traversal, HairScriptsRunAroundThePassOnlyWhenHairIsOn) {
    standin::Scene with_hair;
    ExportedScene{with_hair};
    EXPECT_THAT(with_hair.scripts_run(),
                ElementsAre(vsf::hair_conversion_script(), vsf::hair_clean_up_script()));
    // The host's script engine understood both texts.
    EXPECT_TRUE(with_hair.script_errors().empty());

    standin::Scene without_hair;
    ExportSettings settings;
    settings.options.hair_and_fur = false;
    ExportedScene{without_hair, settings};
    EXPECT_TRUE(without_hair.scripts_run().empty());
}

TEST(Traversal, ChildrenComeFirstThenObjectsThenTheTransformRelativeToTheParent) {
    standin::Scene scene;
    standin::Node& a = scene.add_mesh_node(u"A", box());
    const host::Matrix3 a_local =
        host::Matrix3::rotation_z(1.5707964f) * host::Matrix3::translation({1, 2, 3});
    a.set_transform(a_local);
    standin::Node& b = scene.add_mesh_node(u"B", box(), &a);
    const host::Matrix3 b_local =
        host::Matrix3::scaling({2, 2, 2}) * host::Matrix3::translation({0, 5, 0});
    b.set_transform(b_local);
    scene.add_helper_node(u"H", &b);

    const ExportedScene out(scene);

    EXPECT_THAT(outline(out.object_group()), ElementsAre("flags", "group A"));
    const vsf::Block& group_a = child_group(out.object_group(), "A");
    EXPECT_THAT(outline(group_a), ElementsAre("group B", "object A", "transform"));
    EXPECT_THAT(numbers(group_a.param("transform")),
                Pointwise(DoubleNear(1e-5), row_numbers(a_local)));

    const vsf::Block& group_b = child_group(group_a, "B");
    EXPECT_THAT(outline(group_b), ElementsAre("group H", "object B", "transform"));
    EXPECT_THAT(numbers(group_b.param("transform")),
                Pointwise(DoubleNear(1e-5), row_numbers(b_local)));

    // A helper keeps the hierarchy and carries its transform, but writes no object.
    EXPECT_THAT(outline(child_group(group_b, "H")), ElementsAre("transform"));
}

TEST(Traversal, HiddenParentKeepsItsGroupAndTransformAndItsChildrenAreWritten) {
    standin::Scene scene;
    standin::Node& parent = scene.add_mesh_node(u"Parent", box());
    parent.set_transform(host::Matrix3::translation({0, 0, 7}));
    parent.set_hidden(true);
    scene.add_mesh_node(u"Child", box(), &parent);
    standin::Node& hidden_leaf = scene.add_mesh_node(u"HiddenLeaf", box(), &parent);
    hidden_leaf.set_hidden(true);

    const ExportedScene out(scene);

    const vsf::Block& group = child_group(out.object_group(), "Parent");
    EXPECT_THAT(outline(group), ElementsAre("group Child", "group HiddenLeaf", "transform"));
    EXPECT_THAT(outline(child_group(group, "Child")), ElementsAre("object Child", "transform"));
    EXPECT_THAT(outline(child_group(group, "HiddenLeaf")), ElementsAre("transform"));
}

TEST(Traversal, LayerModeWritesEveryNodeOnceInItsLayerWithItsWorldTransform) {
    standin::Scene scene;
    standin::Layer& props = scene.add_layer(u"Props");
    standin::Node& parent = scene.add_mesh_node(u"Parent", box());
    const host::Matrix3 parent_local = host::Matrix3::translation({10, 0, 0});
    parent.set_transform(parent_local);
    scene.set_current_layer(props);
    standin::Node& child = scene.add_mesh_node(u"Child", box(), &parent);
    child.set_transform(host::Matrix3::translation({0, 1, 0}));
    standin::Node& hidden = scene.add_mesh_node(u"Hidden", box());
    hidden.set_hidden(true);

    ExportSettings settings;
    settings.options.layers = true;
    const ExportedScene out(scene, settings);

    EXPECT_THAT(numbers(out.object_group().param("flags")), ElementsAre(1));
    EXPECT_THAT(outline(out.object_group()), ElementsAre("flags", "group 0", "group Props"));

    const vsf::Block& first = child_group(out.object_group(), "0");
    EXPECT_THAT(outline(first), ElementsAre("flags", "group Parent"));
    EXPECT_THAT(numbers(first.param("flags")), ElementsAre(1));
    const vsf::Block& parent_group = child_group(first, "Parent");
    // The child is not inside its parent's group.
    EXPECT_THAT(outline(parent_group), ElementsAre("flags", "object Parent", "transform"));
    EXPECT_THAT(numbers(parent_group.param("flags")), ElementsAre(1));

    const vsf::Block& second = child_group(out.object_group(), "Props");
    EXPECT_THAT(outline(second), ElementsAre("flags", "group Child", "group Hidden"));
    const vsf::Block& child_group_block = child_group(second, "Child");
    EXPECT_THAT(outline(child_group_block), ElementsAre("flags", "object Child", "transform"));
    EXPECT_THAT(numbers(child_group_block.param("transform")),
                Pointwise(DoubleNear(1e-5), row_numbers(host::Matrix3::translation({10, 1, 0}))));
    // A hidden node keeps its group but writes neither objects nor a transform.
    EXPECT_THAT(outline(child_group(second, "Hidden")), ElementsAre("flags"));
}

TEST(Traversal, NamesKeepTheLowByteOfEachUnitUpToTheFirstZeroByteAndAtMost1023Units) {
    standin::Scene scene;
    // U+00E9 stays one byte; U+0141 contributes its low byte 0x41 ('A').
    scene.add_helper_node(u"Caf\u00e9 \u0141");
    // U+0100 has a zero low byte: the name ends before it.
    scene.add_helper_node(u"Cut\u0100Away");
    scene.add_helper_node(std::u16string(1500, u'n'));

    const ExportedScene out(scene);

    std::vector<std::string> names;
    for (const vsf::Block& group : out.object_group().blocks) {
        names.push_back(group.name());
    }
    EXPECT_THAT(names, ElementsAre("Caf\xe9 A", "Cut", std::string(1023, 'n')));
}

TEST(Traversal, ProgressCountsEveryNodeOfThePassAndNamesIt) {
    standin::Scene scene;
    standin::Node& a = scene.add_helper_node(u"A");
    scene.add_helper_node(u"A1", &a);
    scene.add_helper_node(u"B");
    std::vector<int> percents;
    std::vector<std::u16string> titles;
    scene.set_progress_listener([&](const standin::ProgressEvent& event) {
        if (event.kind == standin::ProgressEvent::Kind::update) {
            percents.push_back(event.percent);
            titles.push_back(event.title);
        }
    });

    ExportedScene{scene};

    EXPECT_THAT(percents, ElementsAre(25, 50, 75, 100));
    EXPECT_THAT(titles, ElementsAre(scene.root().name(), u"A", u"A1", u"B"));
}

TEST(Traversal, CancelStopsTheDescentButClosesEveryGroupAndFinishesEnteredNodes) {
    standin::Scene scene;
    standin::Node& a = scene.add_mesh_node(u"A", box());
    scene.add_mesh_node(u"A1", box(), &a);
    standin::Node& b = scene.add_mesh_node(u"B", box());
    scene.add_mesh_node(u"B1", box(), &b);
    scene.add_mesh_node(u"C", box());
    scene.set_progress_listener([&scene](const standin::ProgressEvent& event) {
        if (event.kind == standin::ProgressEvent::Kind::update && event.title == u"B") {
            scene.set_cancel(true);  // the user presses Cancel while B is being written
        }
    });

    const ExportedScene out(scene);  // reading it back proves it well formed

    EXPECT_THAT(outline(out.object_group()), ElementsAre("flags", "group A", "group B"));
    EXPECT_THAT(outline(child_group(out.object_group(), "A")),
                ElementsAre("group A1", "object A", "transform"));
    // B was entered: its own object and transform are written, its child is not.
    EXPECT_THAT(outline(child_group(out.object_group(), "B")),
                ElementsAre("object B", "transform"));
}

TEST(Traversal, UpdateModeSendsOnlyChangedMeshesButEveryGroupAndTransform) {
    standin::Scene scene;
    scene.add_mesh_node(u"Same", box());
    standin::Node& changed = scene.add_mesh_node(u"Changed", box());

    ExportSettings settings;
    settings.update_mode = true;
    settings.changed_nodes = {&changed};
    const ExportedScene out(scene, settings);

    EXPECT_THAT(outline(child_group(out.object_group(), "Same")), ElementsAre("transform"));
    EXPECT_THAT(outline(child_group(out.object_group(), "Changed")),
                ElementsAre("object Changed", "transform"));
}

TEST(Traversal, AFileThatCannotBeOpenedThrowsAndLeavesNoPassBehind) {
    standin::Scene scene;
    scene.add_mesh_node(u"Box", box());
    auto options = std::make_shared<vsf::Options>();
    vsf::SceneExporter exporter(scene, scene.root(), options, {});

    EXPECT_THROW(exporter.export_scene("/nonexistent-folder/scene.vsf", false, true, false),
                 std::runtime_error);
    EXPECT_EQ(exporter.front_end(), nullptr);
    EXPECT_TRUE(scene.scripts_run().empty());  // the hair scripts never ran
}

// A host whose progress display fails in the middle of a pass (the pass is abandoned by an
// exception).
class FailingProgressScene : public standin::Scene {
  public:
    void progress_update(int, bool, const std::u16string&) override {
        throw std::runtime_error("progress display gone");
    }
};

TEST(Traversal, AnAbandonedPassStillRemovesTheTemporaryHairShapes) {
    FailingProgressScene scene;
    standin::Node& furry = scene.add_mesh_node(u"Furry", box());
    standin::HairSettings hair;
    hair.strands = {{{0, 0, 0}, {0, 0, 1}}};
    furry.mesh_object()->set_hair(hair);
    const std::size_t nodes = scene.nodes().size();
    exporter_test::ScratchFolder folder("exporter-scene");
    vsf::SceneExporter exporter(scene, scene.root(), std::make_shared<vsf::Options>(), {});

    EXPECT_THROW(exporter.export_scene((folder.path() / "scene.vsf").string(), false, true, false),
                 std::runtime_error);

    EXPECT_THAT(scene.scripts_run(),
                ElementsAre(vsf::hair_conversion_script(), vsf::hair_clean_up_script()));
    EXPECT_EQ(scene.nodes().size(), nodes);  // the shape the conversion made is gone again
    EXPECT_EQ(exporter.front_end(), nullptr);
}

}  // namespace
