// Mesh extraction: the geometry of one host node as triangle objects, one per distinct material
// its faces use, each carrying positions, normals and one set of texture coordinates.
#pragma once

#include "plugin/host/interval.h"
#include "plugin/host/mesh.h"
#include "plugin/host/node.h"
#include "plugin/host/object.h"

namespace vsf {

class SceneExporter;

// The host's triangle-mesh object of a node at one time. A temporary made by the conversion is
// disposed of when the handle goes; the mesh stays valid as long as the handle lives.
class TriangleMeshHandle {
  public:
    TriangleMeshHandle() = default;
    TriangleMeshHandle(host::TriObject* object, bool temporary)
        : object_(object), temporary_(temporary) {}
    ~TriangleMeshHandle() { release(); }
    TriangleMeshHandle(TriangleMeshHandle&& other) noexcept;
    TriangleMeshHandle& operator=(TriangleMeshHandle&& other) noexcept;
    TriangleMeshHandle(const TriangleMeshHandle&) = delete;
    TriangleMeshHandle& operator=(const TriangleMeshHandle&) = delete;

    explicit operator bool() const { return object_ != nullptr; }
    const host::Mesh& mesh() const { return object_->mesh(); }
    host::TriObject* object() const { return object_; }
    // Whether the object is a temporary to be disposed of (not the node's own object).
    bool temporary() const { return temporary_; }

  private:
    void release();

    host::TriObject* object_ = nullptr;
    bool temporary_ = false;
};

// Converts the mesh of node at the exporter's current time and writes one object per material
// slot, all named after the node, into the node's open group. False without a non-empty mesh to
// convert: in a live update for an unchanged node, for non-geometry, bones (when off), the
// skipped geometry class, objects that cannot become a triangle mesh, and empty meshes.
bool convert_static_mesh(SceneExporter& exporter, host::Node& node);

// node's object at time as the host's triangle mesh; empty when it cannot be converted, or, in a
// sequence export, for a frame after the first at which the object is unchanged since an earlier
// frame (its mesh is in that frame's file already).
TriangleMeshHandle make_triangle_mesh(SceneExporter& exporter, host::Node& node,
                                      host::TimeValue time);

}  // namespace vsf
