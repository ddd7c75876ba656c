#include "standin/host/node.h"

#include <algorithm>
#include <stdexcept>

#include "standin/host/layers.h"
#include "standin/host/mesh_object.h"
#include "standin/host/node_event.h"
#include "standin/host/scene.h"
#include "standin/host/shape_object.h"

namespace standin {

Node::Node(Scene& scene, host::NodeKey handle, std::u16string name,
           std::unique_ptr<SceneObject> object)
    : scene_(scene), handle_(handle), name_(std::move(name)), object_(std::move(object)) {}

MeshObject* Node::mesh_object() const {
    return dynamic_cast<MeshObject*>(object_.get());
}

SplineShapeObject* Node::shape_object() const {
    return dynamic_cast<SplineShapeObject*>(object_.get());
}

void Node::set_name(std::u16string name) {
    name_ = std::move(name);
    scene_.notify(NodeEvent::NameChanged, *this);
}

void Node::set_parent(Node* parent) {
    scene_.link(*this, parent);
    scene_.notify(NodeEvent::LinkChanged, *this);
}

void Node::set_layer(Layer& layer) {
    scene_.move_to_layer(*this, layer);
    scene_.notify(NodeEvent::LayerChanged, *this);
}

void Node::set_hidden(bool hidden) {
    hidden_ = hidden;
    scene_.notify(NodeEvent::HideChanged, *this);
}

void Node::set_wire_color(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    wire_color_ = static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
                  (static_cast<std::uint32_t>(b) << 16);
    scene_.notify(NodeEvent::WireColorChanged, *this);
}

void Node::set_material(host::Material* material) {
    material_ = material;
    scene_.notify(NodeEvent::MaterialStructured, *this);
}

void Node::set_selected(bool selected) {
    selected_ = selected;
    scene_.notify(NodeEvent::SelectionChanged, *this);
}

void Node::set_object_offset(const host::Matrix3& offset) {
    offset_ = offset;
    scene_.notify(NodeEvent::ControllerOtherEvent, *this);
}

void Node::decompose_fixed_transform() {
    host::Point3 rows[3] = {fixed_local_.row(0), fixed_local_.row(1), fixed_local_.row(2)};
    fixed_scale_ =
        host::Point3(host::length(rows[0]), host::length(rows[1]), host::length(rows[2]));
    if (fixed_local_.determinant() < 0.0f) {
        fixed_scale_.x = -fixed_scale_.x;
        rows[0] = -rows[0];
    }
    fixed_rotation_ = Quat::from_matrix(host::Matrix3(rows[0], rows[1], rows[2], host::Point3()));
    fixed_position_ = fixed_local_.translation();
}

void Node::set_transform(const host::Matrix3& local) {
    fixed_local_ = local;
    decompose_fixed_transform();
    position_keys_.clear();
    rotation_keys_.clear();
    scale_keys_.clear();
    scene_.notify(NodeEvent::ControllerOtherEvent, *this);
}

void Node::add_position_key(host::TimeValue t, const host::Point3& position) {
    position_keys_.set_key(t, position);
    scene_.notify(NodeEvent::ControllerOtherEvent, *this);
}

void Node::add_rotation_key(host::TimeValue t, const Quat& rotation) {
    rotation_keys_.set_key(t, rotation);
    scene_.notify(NodeEvent::ControllerOtherEvent, *this);
}

void Node::add_scale_key(host::TimeValue t, const host::Point3& scale) {
    scale_keys_.set_key(t, scale);
    scene_.notify(NodeEvent::ControllerOtherEvent, *this);
}

void Node::set_mesh(host::Mesh mesh) {
    MeshObject* m = mesh_object();
    if (m == nullptr) {
        throw std::logic_error("set_mesh on a node without mesh");
    }
    m->set_mesh(std::move(mesh));
    scene_.notify(NodeEvent::TopologyChanged, *this);
}

void Node::set_vertices(const std::vector<host::Point3>& verts) {
    MeshObject* m = mesh_object();
    if (m == nullptr) {
        throw std::logic_error("set_vertices on a node without mesh");
    }
    if (verts.size() != m->base_mesh().verts.size()) {
        throw std::invalid_argument("set_vertices needs " +
                                    std::to_string(m->base_mesh().verts.size()) + " positions");
    }
    host::Mesh mesh = m->base_mesh();
    mesh.verts = verts;
    m->set_mesh(std::move(mesh));
    scene_.notify(NodeEvent::GeometryChanged, *this);
}

void Node::set_map_channel(int channel, host::MapChannel map) {
    MeshObject* m = mesh_object();
    if (m == nullptr) {
        throw std::logic_error("set_map_channel on a node without mesh");
    }
    if (channel < 0 || channel > 99) {
        throw std::invalid_argument("map channels are 0 to 99");
    }
    host::Mesh mesh = m->base_mesh();
    if (mesh.maps.size() <= static_cast<std::size_t>(channel)) {
        mesh.maps.resize(static_cast<std::size_t>(channel) + 1);
    }
    mesh.maps[static_cast<std::size_t>(channel)] = std::move(map);
    m->set_mesh(std::move(mesh));
    scene_.notify(NodeEvent::MappingChanged, *this);
}

host::Matrix3 Node::local_transform(host::TimeValue t, host::Interval* valid) const {
    if (position_keys_.empty() && rotation_keys_.empty() && scale_keys_.empty()) {
        return fixed_local_;
    }
    if (valid != nullptr) {
        *valid &= position_keys_.validity(t);
        *valid &= rotation_keys_.validity(t);
        *valid &= scale_keys_.validity(t);
    }
    const host::Point3 s = scale_keys_.value_at(t, fixed_scale_);
    const Quat q = rotation_keys_.value_at(t, fixed_rotation_);
    const host::Point3 p = position_keys_.value_at(t, fixed_position_);
    return host::Matrix3::scaling(s) * to_matrix(q) * host::Matrix3::translation(p);
}

host::Node* Node::child(int i) const {
    if (i < 0 || i >= child_count()) {
        return nullptr;
    }
    return children_[static_cast<std::size_t>(i)];
}

host::Matrix3 Node::node_tm(host::TimeValue t, host::Interval* valid) const {
    host::Matrix3 tm = local_transform(t, valid);
    if (parent_ != nullptr) {
        tm = tm * parent_->node_tm(t, valid);
    }
    return tm;
}

host::Matrix3 Node::object_tm(host::TimeValue t, host::Interval* valid) const {
    return offset_ * node_tm(t, valid);
}

host::Object* Node::eval_world_state(host::TimeValue t) {
    if (!object_) {
        return nullptr;
    }
    object_->evaluate(t);
    return &object_->host_object();
}

}  // namespace standin
