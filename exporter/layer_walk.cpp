// Layer mode: one group per host layer, holding one group per node of the layer with the node's
// objects and its world transform. Children are not reached through their parents, so a node is
// never written inside another node's group.
#include <vector>

#include "exporter/narrow_text.h"
#include "exporter/scene_exporter.h"
#include "plugin/host/layer_manager.h"

namespace vsf {

namespace {

// The flags of every layer group and node group in layer mode.
constexpr std::uint32_t kLayerGroupFlags = 1;

}  // namespace

void SceneExporter::walk_layers() {
    host::LayerManager* layers = host_.layer_manager();
    if (!layers) {
        return;
    }
    std::vector<host::Node*> nodes;
    for (int i = 0; i < layers->layer_count(); ++i) {
        const host::Layer* layer = layers->layer(i);
        if (!layer) {
            continue;
        }
        front_end_->begin_group(narrow_text(layer->name()));
        front_end_->set_flags(kLayerGroupFlags);
        layer->nodes(nodes);
        for (host::Node* node : nodes) {
            if (!node) {
                continue;
            }
            report_progress(*node);
            front_end_->begin_group(narrow_text(node->name()));
            front_end_->set_flags(kLayerGroupFlags);
            convert_layer_node(*node);
            front_end_->end_group();
        }
        front_end_->end_group();
    }
}

bool SceneExporter::convert_layer_node(host::Node& node) {
    if (node.is_hidden_for_render()) {
        return false;
    }
    host::Object* object = node.eval_world_state(0);
    if (!object) {
        return false;
    }
    const bool result = convert_object(node, *object, true);
    host::Interval valid = host::Interval::forever();
    const host::Matrix3 world = node.node_tm(current_time_, &valid);
    write_transform(node, world, valid, result, true);
    return result;
}

}  // namespace vsf
