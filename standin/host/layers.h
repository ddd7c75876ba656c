// Layers of the stand-in scene: named lists of nodes; every node is in exactly one layer.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "plugin/host/layer_manager.h"

namespace standin {

class Node;

class Layer : public host::Layer {
  public:
    explicit Layer(std::u16string name) : name_(std::move(name)) {}

    std::u16string name() const override { return name_; }
    void nodes(std::vector<host::Node*>& nodes) const override;
    const std::vector<Node*>& members() const { return members_; }

  private:
    friend class Scene;
    std::u16string name_;
    std::vector<Node*> members_;  // in the order the nodes joined the layer
};

class LayerManager : public host::LayerManager {
  public:
    int layer_count() const override { return static_cast<int>(layers_.size()); }
    host::Layer* layer(int index) const override { return at(index); }
    Layer* at(int index) const;
    Layer& add(std::u16string name);

  private:
    std::vector<std::unique_ptr<Layer>> layers_;
};

}  // namespace standin
