// Node events: the host tells a registered callback which nodes an edit touched.
#pragma once

#include <cstdint>
#include <vector>

namespace host {

// A node key: the host's handle of the node, resolved with Interface::node_by_key.
using NodeKey = std::uint64_t;
using NodeKeyTab = std::vector<NodeKey>;

// Receives node events. Every operation does nothing unless overridden. The host calls them on
// its user-interface thread, between CallbackBegin and CallbackEnd.
class INodeEventCallback {
  public:
    virtual ~INodeEventCallback() = default;

    // Hierarchy events.
    virtual void Added(const NodeKeyTab& /*nodes*/) {}
    virtual void Deleted(const NodeKeyTab& /*nodes*/) {}
    virtual void LinkChanged(const NodeKeyTab& /*nodes*/) {}
    virtual void LayerChanged(const NodeKeyTab& /*nodes*/) {}
    virtual void GroupChanged(const NodeKeyTab& /*nodes*/) {}
    virtual void HierarchyOtherEvent(const NodeKeyTab& /*nodes*/) {}

    // Model events.
    virtual void ModelStructured(const NodeKeyTab& /*nodes*/) {}
    virtual void GeometryChanged(const NodeKeyTab& /*nodes*/) {}
    virtual void TopologyChanged(const NodeKeyTab& /*nodes*/) {}
    virtual void MappingChanged(const NodeKeyTab& /*nodes*/) {}
    virtual void ExtentionChannelChanged(const NodeKeyTab& /*nodes*/) {}
    virtual void ModelOtherEvent(const NodeKeyTab& /*nodes*/) {}

    // Material events.
    virtual void MaterialStructured(const NodeKeyTab& /*nodes*/) {}
    virtual void MaterialOtherEvent(const NodeKeyTab& /*nodes*/) {}

    // Controller (transform) events.
    virtual void ControllerStructured(const NodeKeyTab& /*nodes*/) {}
    virtual void ControllerOtherEvent(const NodeKeyTab& /*nodes*/) {}

    // Property events.
    virtual void NameChanged(const NodeKeyTab& /*nodes*/) {}
    virtual void WireColorChanged(const NodeKeyTab& /*nodes*/) {}
    virtual void RenderPropertiesChanged(const NodeKeyTab& /*nodes*/) {}
    virtual void DisplayPropertiesChanged(const NodeKeyTab& /*nodes*/) {}
    virtual void UserPropertiesChanged(const NodeKeyTab& /*nodes*/) {}
    virtual void PropertiesOtherEvent(const NodeKeyTab& /*nodes*/) {}

    // Selection events.
    virtual void SubobjectSelectionChanged(const NodeKeyTab& /*nodes*/) {}
    virtual void SelectionChanged(const NodeKeyTab& /*nodes*/) {}

    // Display events.
    virtual void HideChanged(const NodeKeyTab& /*nodes*/) {}
    virtual void FreezeChanged(const NodeKeyTab& /*nodes*/) {}
    virtual void DisplayOtherEvent(const NodeKeyTab& /*nodes*/) {}

    // Bracket of one delivery of events.
    virtual void CallbackBegin() {}
    virtual void CallbackEnd() {}

    // Whether Deleted should also be sent for nodes deleted as part of a larger deletion.
    virtual bool VerboseDeleted() { return false; }
};

}  // namespace host
