// Tree mode: every node below the root gets a group holding its children's groups, then its own
// objects, then its transform relative to its parent.
#include "exporter/narrow_text.h"
#include "exporter/scene_exporter.h"

namespace vsf {

bool SceneExporter::walk_tree(host::Node& node, bool as_group) {
    if (as_group) {
        front_end_->begin_group(narrow_text(node.name()));
    }
    report_progress(node);
    bool converted = false;
    for (int i = 0; i < node.child_count(); ++i) {
        // A cancel stops the descent; the groups already open still close below.
        if (host_.get_cancel()) {
            break;
        }
        if (host::Node* child = node.child(i)) {
            converted = walk_tree(*child, true) || converted;
        }
    }
    converted = convert_node(node, converted) || converted;
    if (as_group) {
        front_end_->end_group();
    }
    return converted;
}

bool SceneExporter::convert_node(host::Node& node, bool descendants_converted) {
    bool result = descendants_converted;
    if (!node.is_hidden_for_render()) {
        // A node without object (the root, for one) writes no transform either.
        host::Object* object = node.eval_world_state(0);
        if (!object) {
            return result;
        }
        result = convert_object(node, *object, !sequence_mode_) || result;
    }
    host::Interval valid = host::Interval::forever();
    const host::Matrix3 world = node.node_tm(current_time_, &valid);
    const host::Node* parent = node.parent();
    const host::Matrix3 parent_world =
        parent ? parent->node_tm(current_time_, nullptr) : host::Matrix3::identity();
    write_transform(node, world * host::inverse(parent_world), valid, result, false);
    return result;
}

}  // namespace vsf
