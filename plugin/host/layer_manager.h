// Layers: named sets of nodes, each node in exactly one layer.
#pragma once

#include <string>
#include <vector>

namespace host {

class Node;

class Layer {
  public:
    virtual ~Layer() = default;
    virtual std::u16string name() const = 0;
    // Fills nodes (replacing what it held) with the layer's nodes, in the layer's order.
    virtual void nodes(std::vector<Node*>& nodes) const = 0;
};

// The host's layer manager (function-published interface kLayerManagerInterfaceId).
class LayerManager {
  public:
    virtual ~LayerManager() = default;
    virtual int layer_count() const = 0;
    // The layer at index (0 to layer_count() - 1); null out of range.
    virtual Layer* layer(int index) const = 0;
};

}  // namespace host
