// The kinds of node event the stand-in scene delivers, and their delivery to a callback.
#pragma once

#include "plugin/host/node_events.h"

namespace standin {

enum class NodeEvent {
    Added,
    Deleted,
    LinkChanged,
    LayerChanged,
    GroupChanged,
    HierarchyOtherEvent,
    ModelStructured,
    GeometryChanged,
    TopologyChanged,
    MappingChanged,
    ExtentionChannelChanged,
    ModelOtherEvent,
    MaterialStructured,
    MaterialOtherEvent,
    ControllerStructured,
    ControllerOtherEvent,
    NameChanged,
    WireColorChanged,
    RenderPropertiesChanged,
    DisplayPropertiesChanged,
    UserPropertiesChanged,
    PropertiesOtherEvent,
    SubobjectSelectionChanged,
    SelectionChanged,
    HideChanged,
    FreezeChanged,
    DisplayOtherEvent,
};

// Calls the callback's operation for kind with keys, between CallbackBegin and CallbackEnd.
void deliver_node_event(host::INodeEventCallback& callback, NodeEvent kind,
                        const host::NodeKeyTab& keys);

}  // namespace standin
