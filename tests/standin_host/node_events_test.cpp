// Node events: which edit delivers which event, the keys and their resolution.
#include <gtest/gtest.h>

#include <functional>

#include "standin/host/scene.h"

namespace {

using standin::NodeEvent;

// Records every event as (kind, keys), and checks the Begin/End bracket.
class Recorder : public host::INodeEventCallback {
  public:
    struct Entry {
        NodeEvent kind;
        host::NodeKeyTab keys;
    };
    std::vector<Entry> entries;
    int open = 0;
    int brackets = 0;

    void CallbackBegin() override {
        ++open;
        ++brackets;
    }
    void CallbackEnd() override { --open; }
#define RECORD(Name)                                       \
    void Name(const host::NodeKeyTab& keys) override {     \
        EXPECT_EQ(open, 1) << "event outside its bracket"; \
        entries.push_back({NodeEvent::Name, keys});        \
    }
    RECORD(Added)
    RECORD(Deleted)
    RECORD(LinkChanged)
    RECORD(LayerChanged)
    RECORD(GeometryChanged)
    RECORD(TopologyChanged)
    RECORD(MappingChanged)
    RECORD(MaterialStructured)
    RECORD(MaterialOtherEvent)
    RECORD(ControllerOtherEvent)
    RECORD(NameChanged)
    RECORD(WireColorChanged)
    RECORD(SelectionChanged)
    RECORD(HideChanged)
    RECORD(DisplayOtherEvent)
#undef RECORD
};

class NodeEventsTest : public ::testing::Test {
  protected:
    NodeEventsTest() { key_ = scene.register_node_event_callback(recorder, false, 0, false); }
    standin::Scene scene;
    Recorder recorder;
    host::CallbackKey key_ = 0;
    standin::Node& box = scene.add_mesh_node(u"Box", standin::make_box_mesh({1, 1, 1}));
};

TEST_F(NodeEventsTest, EachEditDeliversItsEventWithTheNodesKey) {
    standin::Node& other = scene.add_helper_node(u"Other");
    standin::Layer& layer = scene.add_layer(u"L");
    standin::StandardMaterial& mat = scene.add_standard_material(u"M");
    struct Case {
        const char* what;
        std::function<void()> edit;
        NodeEvent expected;
    };
    const Case cases[] = {
        {"rename", [&] { box.set_name(u"Crate"); }, NodeEvent::NameChanged},
        {"wire colour", [&] { box.set_wire_color(1, 2, 3); }, NodeEvent::WireColorChanged},
        {"select", [&] { box.set_selected(true); }, NodeEvent::SelectionChanged},
        {"hide", [&] { box.set_hidden(true); }, NodeEvent::HideChanged},
        {"link", [&] { box.set_parent(&other); }, NodeEvent::LinkChanged},
        {"layer", [&] { box.set_layer(layer); }, NodeEvent::LayerChanged},
        {"material", [&] { box.set_material(&mat); }, NodeEvent::MaterialStructured},
        {"material edit", [&] { mat.set_diffuse(host::Color(1, 0, 0)); },
         NodeEvent::MaterialOtherEvent},
        {"move",
         [&] {
             box.set_transform(host::Matrix3::translation({1, 0, 0}));
         },
         NodeEvent::ControllerOtherEvent},
        {"key", [&] { box.add_rotation_key(0, standin::Quat()); }, NodeEvent::ControllerOtherEvent},
        {"offset", [&] { box.set_object_offset(host::Matrix3()); },
         NodeEvent::ControllerOtherEvent},
        {"vertices", [&] { box.set_vertices(box.mesh_object()->base_mesh().verts); },
         NodeEvent::GeometryChanged},
        {"mesh",
         [&] {
             box.set_mesh(standin::make_box_mesh({2, 2, 2}));
         },
         NodeEvent::TopologyChanged},
        {"uv", [&] { box.set_map_channel(2, host::MapChannel{}); }, NodeEvent::MappingChanged},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        recorder.entries.clear();
        c.edit();
        ASSERT_EQ(recorder.entries.size(), 1u);
        EXPECT_EQ(recorder.entries[0].kind, c.expected);
        EXPECT_EQ(recorder.entries[0].keys, host::NodeKeyTab{box.handle()});
        EXPECT_EQ(scene.node_by_key(box.handle()), &box);
    }
    EXPECT_EQ(recorder.open, 0);
}

TEST_F(NodeEventsTest, MaterialEditsReachEveryNodeUsingTheMaterialAlsoAsSubMaterial) {
    standin::StandardMaterial& brick = scene.add_standard_material(u"Brick");
    standin::MultiMaterial& multi = scene.add_multi_material(u"Multi", 2);
    multi.set_sub_material(1, &brick);
    standin::Node& wall = scene.add_helper_node(u"Wall");
    box.set_material(&brick);
    wall.set_material(&multi);
    scene.add_helper_node(u"Bare");
    recorder.entries.clear();
    brick.set_specular_level(0.5f);
    ASSERT_EQ(recorder.entries.size(), 1u);
    EXPECT_EQ(recorder.entries[0].kind, NodeEvent::MaterialOtherEvent);
    EXPECT_EQ(recorder.entries[0].keys, (host::NodeKeyTab{box.handle(), wall.handle()}));
}

TEST_F(NodeEventsTest, AddedAndDeletedNodesResolveWhileTheirEventIsDelivered) {
    recorder.entries.clear();
    standin::Node& temp = scene.add_helper_node(u"Temp");
    ASSERT_EQ(recorder.entries.size(), 1u);
    EXPECT_EQ(recorder.entries[0].kind, NodeEvent::Added);
    const host::NodeKey key = temp.handle();

    // A callback that resolves the key while Deleted is delivered.
    struct Resolver : host::INodeEventCallback {
        host::Interface* host = nullptr;
        host::Node* seen = nullptr;
        void Deleted(const host::NodeKeyTab& keys) override { seen = host->node_by_key(keys[0]); }
    } resolver;
    resolver.host = &scene;
    scene.register_node_event_callback(resolver, false, 0, false);
    scene.delete_node(temp);
    EXPECT_EQ(resolver.seen, &temp);
    EXPECT_EQ(scene.node_by_key(key), nullptr);
    EXPECT_EQ(recorder.entries.back().kind, NodeEvent::Deleted);
    EXPECT_EQ(recorder.entries.back().keys, host::NodeKeyTab{key});
}

TEST_F(NodeEventsTest, KeysOfOtherThingsOrOfNothingResolveToNoNode) {
    standin::StandardMaterial& mat = scene.add_standard_material(u"M");
    EXPECT_EQ(scene.node_by_key(mat.handle()), nullptr);
    EXPECT_EQ(scene.node_by_key(999999), nullptr);
    EXPECT_EQ(scene.node_by_key(scene.root().handle()), &scene.root());
    recorder.entries.clear();
    scene.send_node_event(NodeEvent::DisplayOtherEvent, {mat.handle(), box.handle()});
    ASSERT_EQ(recorder.entries.size(), 1u);
    EXPECT_EQ(recorder.entries[0].keys, (host::NodeKeyTab{mat.handle(), box.handle()}));
}

TEST_F(NodeEventsTest, UnregisteredCallbacksHearNothing) {
    scene.unregister_node_event_callback(key_);
    recorder.entries.clear();
    const int brackets = recorder.brackets;
    box.set_hidden(true);
    EXPECT_TRUE(recorder.entries.empty());
    EXPECT_EQ(recorder.brackets, brackets);
}

TEST_F(NodeEventsTest, ACallbackMayUnregisterItselfWhileBeingCalled) {
    struct Once : host::INodeEventCallback {
        standin::Scene* scene = nullptr;
        host::CallbackKey key = 0;
        int calls = 0;
        void HideChanged(const host::NodeKeyTab&) override {
            ++calls;
            scene->unregister_node_event_callback(key);
        }
    } once;
    once.scene = &scene;
    once.key = scene.register_node_event_callback(once, false, 0, false);
    box.set_hidden(true);
    box.set_hidden(false);
    EXPECT_EQ(once.calls, 1);
}

}  // namespace
