#include "standin/host/node_event.h"

namespace standin {

namespace {

void dispatch(host::INodeEventCallback& cb, NodeEvent kind, const host::NodeKeyTab& keys) {
    switch (kind) {
        case NodeEvent::Added:
            return cb.Added(keys);
        case NodeEvent::Deleted:
            return cb.Deleted(keys);
        case NodeEvent::LinkChanged:
            return cb.LinkChanged(keys);
        case NodeEvent::LayerChanged:
            return cb.LayerChanged(keys);
        case NodeEvent::GroupChanged:
            return cb.GroupChanged(keys);
        case NodeEvent::HierarchyOtherEvent:
            return cb.HierarchyOtherEvent(keys);
        case NodeEvent::ModelStructured:
            return cb.ModelStructured(keys);
        case NodeEvent::GeometryChanged:
            return cb.GeometryChanged(keys);
        case NodeEvent::TopologyChanged:
            return cb.TopologyChanged(keys);
        case NodeEvent::MappingChanged:
            return cb.MappingChanged(keys);
        case NodeEvent::ExtentionChannelChanged:
            return cb.ExtentionChannelChanged(keys);
        case NodeEvent::ModelOtherEvent:
            return cb.ModelOtherEvent(keys);
        case NodeEvent::MaterialStructured:
            return cb.MaterialStructured(keys);
        case NodeEvent::MaterialOtherEvent:
            return cb.MaterialOtherEvent(keys);
        case NodeEvent::ControllerStructured:
            return cb.ControllerStructured(keys);
        case NodeEvent::ControllerOtherEvent:
            return cb.ControllerOtherEvent(keys);
        case NodeEvent::NameChanged:
            return cb.NameChanged(keys);
        case NodeEvent::WireColorChanged:
            return cb.WireColorChanged(keys);
        case NodeEvent::RenderPropertiesChanged:
            return cb.RenderPropertiesChanged(keys);
        case NodeEvent::DisplayPropertiesChanged:
            return cb.DisplayPropertiesChanged(keys);
        case NodeEvent::UserPropertiesChanged:
            return cb.UserPropertiesChanged(keys);
        case NodeEvent::PropertiesOtherEvent:
            return cb.PropertiesOtherEvent(keys);
        case NodeEvent::SubobjectSelectionChanged:
            return cb.SubobjectSelectionChanged(keys);
        case NodeEvent::SelectionChanged:
            return cb.SelectionChanged(keys);
        case NodeEvent::HideChanged:
            return cb.HideChanged(keys);
        case NodeEvent::FreezeChanged:
            return cb.FreezeChanged(keys);
        case NodeEvent::DisplayOtherEvent:
            return cb.DisplayOtherEvent(keys);
    }
}

}  // namespace

void deliver_node_event(host::INodeEventCallback& callback, NodeEvent kind,
                        const host::NodeKeyTab& keys) {
    callback.CallbackBegin();
    dispatch(callback, kind, keys);
    callback.CallbackEnd();
}

}  // namespace standin
