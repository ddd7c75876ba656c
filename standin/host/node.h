// Nodes of the stand-in scene: hierarchy, layer, keyed transform, object offset, properties and
// the object. Every edit tells the scene's node-event callbacks.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "plugin/host/node.h"
#include "plugin/host/node_events.h"
#include "standin/host/key_track.h"
#include "standin/host/object_base.h"

namespace standin {

class Scene;
class Layer;
class MeshObject;
class SplineShapeObject;

class Node : public host::Node {
  public:
    // Made by the Scene only (Scene::add_node and the add_*_node builders).
    Node(Scene& scene, host::NodeKey handle, std::u16string name,
         std::unique_ptr<SceneObject> object);

    host::NodeKey handle() const { return handle_; }
    Layer* layer() const { return layer_; }
    SceneObject* object() const { return object_.get(); }
    // The object as a mesh or shape object; null when it is another kind.
    MeshObject* mesh_object() const;
    SplineShapeObject* shape_object() const;

    // --- Edits (each delivers the node event named) ---
    void set_name(std::u16string name);  // NameChanged
    // Links the node under parent (null: the root). Throws std::invalid_argument when parent is
    // the node itself or one of its descendants.
    void set_parent(Node* parent);                                        // LinkChanged
    void set_layer(Layer& layer);                                         // LayerChanged
    void set_hidden(bool hidden);                                         // HideChanged
    void set_wire_color(std::uint8_t r, std::uint8_t g, std::uint8_t b);  // WireColorChanged
    void set_material(host::Material* material);                          // MaterialStructured
    void set_selected(bool selected);                                     // SelectionChanged
    void set_object_offset(const host::Matrix3& offset);                  // ControllerOtherEvent

    // The transform relative to the parent. set_transform fixes it for all times and drops every
    // key; keys of position, rotation and scale animate it (a track without keys keeps the part
    // of the fixed transform it stands for). The local transform is scale, then rotation, then
    // translation. Each delivers ControllerOtherEvent.
    void set_transform(const host::Matrix3& local);
    void add_position_key(host::TimeValue t, const host::Point3& position);
    void add_rotation_key(host::TimeValue t, const Quat& rotation);
    void add_scale_key(host::TimeValue t, const host::Point3& scale);

    // Mesh edits of a mesh node (std::logic_error on another kind): the whole mesh
    // (TopologyChanged), the vertex positions only (GeometryChanged), one map channel
    // (MappingChanged). Inconsistent data throws std::invalid_argument and changes nothing.
    void set_mesh(host::Mesh mesh);
    void set_vertices(const std::vector<host::Point3>& verts);
    void set_map_channel(int channel, host::MapChannel map);

    bool hidden() const { return hidden_; }
    bool selected() const { return selected_; }
    const host::Matrix3& object_offset() const { return offset_; }
    // The transform relative to the parent at t; valid, when given, is intersected with its
    // validity (derived from the keys; forever without keys).
    host::Matrix3 local_transform(host::TimeValue t, host::Interval* valid) const;
    const std::vector<Node*>& children() const { return children_; }

    // --- host::Node ---
    std::u16string name() const override { return name_; }
    host::Node* parent() const override { return parent_; }
    int child_count() const override { return static_cast<int>(children_.size()); }
    host::Node* child(int i) const override;
    host::Matrix3 node_tm(host::TimeValue t, host::Interval* valid) const override;
    host::Matrix3 object_tm(host::TimeValue t, host::Interval* valid) const override;
    host::Object* eval_world_state(host::TimeValue t) override;
    bool is_hidden_for_render() const override { return hidden_; }
    host::Material* material() const override { return material_; }
    std::uint32_t wire_color() const override { return wire_color_; }

  private:
    friend class Scene;
    void decompose_fixed_transform();

    Scene& scene_;
    host::NodeKey handle_;
    std::u16string name_;
    std::unique_ptr<SceneObject> object_;
    Node* parent_ = nullptr;
    std::vector<Node*> children_;
    Layer* layer_ = nullptr;

    host::Matrix3 fixed_local_;
    host::Point3 fixed_position_;
    Quat fixed_rotation_;
    host::Point3 fixed_scale_{1.0f, 1.0f, 1.0f};
    KeyTrack<host::Point3> position_keys_;
    KeyTrack<Quat> rotation_keys_;
    KeyTrack<host::Point3> scale_keys_;
    host::Matrix3 offset_;

    bool hidden_ = false;
    bool selected_ = false;
    std::uint32_t wire_color_ = 0x808080;
    host::Material* material_ = nullptr;
};

}  // namespace standin
