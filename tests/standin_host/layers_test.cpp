// Layer membership as the layer walk sees it through the layer manager.
#include <gtest/gtest.h>

#include "standin/host/scene.h"

namespace {

std::vector<std::u16string> names_in(host::LayerManager& manager, int layer) {
    std::vector<host::Node*> nodes{nullptr};  // filled fresh, whatever it held
    manager.layer(layer)->nodes(nodes);
    std::vector<std::u16string> names;
    for (host::Node* n : nodes) {
        names.push_back(n->name());
    }
    return names;
}

using Names = std::vector<std::u16string>;

TEST(Layers, NodesJoinTheCurrentLayerInOrderAndMoveBetweenLayers) {
    standin::Scene scene;
    host::LayerManager& manager = *scene.layer_manager();
    ASSERT_EQ(manager.layer_count(), 1);
    EXPECT_EQ(manager.layer(0)->name(), u"0");

    standin::Node& a = scene.add_helper_node(u"A");
    standin::Layer& lights = scene.add_layer(u"Lights");
    scene.set_current_layer(lights);
    scene.add_standard_light_node(u"L1", standin::StandardLightSettings{});
    standin::Node& b = scene.add_helper_node(u"B", &a);  // a child need not share its layer
    scene.set_current_layer(scene.default_layer());
    scene.add_helper_node(u"C");

    ASSERT_EQ(manager.layer_count(), 2);
    EXPECT_EQ(manager.layer(1)->name(), u"Lights");
    EXPECT_EQ(names_in(manager, 0), (Names{u"A", u"C"}));
    EXPECT_EQ(names_in(manager, 1), (Names{u"L1", u"B"}));
    EXPECT_EQ(manager.layer(2), nullptr);

    // Moving appends to the new layer and leaves the old one; moving to the same layer is a
    // no-op that keeps the order.
    b.set_layer(scene.default_layer());
    a.set_layer(scene.default_layer());
    EXPECT_EQ(names_in(manager, 0), (Names{u"A", u"C", u"B"}));
    EXPECT_EQ(names_in(manager, 1), (Names{u"L1"}));
    EXPECT_EQ(b.layer(), &scene.default_layer());
}

TEST(Layers, EveryNodeButTheRootIsInExactlyOneLayerAlsoAfterDeletion) {
    standin::Scene scene;
    standin::Layer& other = scene.add_layer(u"Other");
    standin::Node& parent = scene.add_helper_node(u"Parent");
    standin::Node& child = scene.add_helper_node(u"Child", &parent);
    child.set_layer(other);
    EXPECT_EQ(scene.root().layer(), nullptr);
    scene.delete_node(parent);
    EXPECT_EQ(names_in(*scene.layer_manager(), 0), Names{});
    EXPECT_EQ(names_in(*scene.layer_manager(), 1), (Names{u"Child"}));
    // The orphan moved up to the root.
    EXPECT_EQ(child.parent(), &scene.root());
}

}  // namespace
