#include "standin/host/layers.h"

#include "standin/host/node.h"

namespace standin {

void Layer::nodes(std::vector<host::Node*>& nodes) const {
    nodes.assign(members_.begin(), members_.end());
}

Layer* LayerManager::at(int index) const {
    if (index < 0 || index >= layer_count()) {
        return nullptr;
    }
    return layers_[static_cast<std::size_t>(index)].get();
}

Layer& LayerManager::add(std::u16string name) {
    layers_.push_back(std::make_unique<Layer>(std::move(name)));
    return *layers_.back();
}

}  // namespace standin
