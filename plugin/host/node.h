// Scene nodes: the hierarchy, transforms, the evaluated object and per-node properties.
#pragma once

#include <cstdint>
#include <string>

#include "plugin/host/geometry.h"
#include "plugin/host/interval.h"

namespace host {

class Object;
class Material;

// A node of the scene tree. Nodes belong to the host; a Node pointer is the node's identity.
class Node {
  public:
    virtual ~Node() = default;

    virtual std::u16string name() const = 0;

    // The parent; null for the root node only.
    virtual Node* parent() const = 0;
    virtual int child_count() const = 0;
    // The child at index i (0 to child_count() - 1); null out of range.
    virtual Node* child(int i) const = 0;

    // The node's world transform at t (its pivot). valid, when given, is intersected with the
    // transform's validity interval.
    virtual Matrix3 node_tm(TimeValue t, Interval* valid) const = 0;
    // The world transform of the node's object at t: the object offset applied to node_tm.
    virtual Matrix3 object_tm(TimeValue t, Interval* valid) const = 0;

    // The node's object evaluated at t (modifiers applied); null for a node without object (the
    // root, for one). The object stays valid until the node is evaluated again or edited.
    virtual Object* eval_world_state(TimeValue t) = 0;

    // Whether the node is hidden, asked for rendering.
    virtual bool is_hidden_for_render() const = 0;
    // The node's material; null when it has none.
    virtual Material* material() const = 0;
    // The wire colour packed as bytes: red in the low byte, then green, then blue.
    virtual std::uint32_t wire_color() const = 0;
};

}  // namespace host
