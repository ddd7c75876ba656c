// Geometry of the stand-in scene: triangle meshes, possibly deforming over time (mesh keys),
// possibly carrying a hair-and-fur modifier; also the other geometry classes (bones and the
// rest), which convert to a triangle mesh as temporaries.
#pragma once

#include <optional>
#include <vector>

#include "plugin/host/class_id.h"
#include "plugin/host/mesh.h"
#include "standin/host/object_base.h"

namespace standin {

// A hair-and-fur modifier: its material and thickness settings and the strands it grows, each a
// polyline of points in the object's own space.
struct HairSettings {
    float root_thickness = 10.0f;
    float tip_thickness = 0.0f;
    host::Color root_color{0.2f, 0.1f, 0.05f};
    host::Color tip_color{0.6f, 0.45f, 0.3f};
    float hue_variation = 10.0f;
    float value_variation = 50.0f;
    std::vector<std::vector<host::Point3>> strands;
};

class MeshObject : public ObjectImpl<host::TriObject> {
  public:
    // A mesh object of class cid (kTriObjectClassId for an editable mesh, which is its own
    // triangle mesh; any other class converts to a temporary). Throws std::invalid_argument when
    // the mesh is inconsistent (check_mesh). counter counts live temporaries.
    MeshObject(host::Mesh mesh, host::ClassId cid, TemporaryCounter counter);

    // --- model ---
    const host::Mesh& base_mesh() const { return base_; }
    // Replaces the mesh (and drops the mesh keys). Throws std::invalid_argument when inconsistent.
    void set_mesh(host::Mesh mesh);
    // Adds a key holding the whole mesh at t (a key at t is replaced). Between two keys of equal
    // vertex count the vertices are interpolated linearly (faces and maps of the earlier key);
    // otherwise the earlier key holds until the next. Throws std::invalid_argument when
    // inconsistent.
    void add_mesh_key(host::TimeValue t, host::Mesh mesh);
    // Adds a key of the base mesh with other vertex positions; throws std::invalid_argument
    // unless there is one position per base vertex.
    void add_vertex_key(host::TimeValue t, const std::vector<host::Point3>& verts);
    bool has_mesh_keys() const { return !key_times_.empty(); }

    const std::optional<HairSettings>& hair() const { return hair_; }
    void set_hair(std::optional<HairSettings> hair) { hair_ = std::move(hair); }

    // --- host ---
    const host::Mesh& mesh() const override { return *current_; }
    void evaluate(host::TimeValue t) override;
    host::Interval validity(host::TimeValue t) override;
    bool is_deformable() const override { return true; }
    bool is_renderable() const override { return true; }
    bool can_convert_to(host::ClassId cid) const override;
    host::Object* convert_to_type(host::TimeValue t, host::ClassId cid) override;
    host::Box3 world_bound_box(host::TimeValue t, host::Node& node) override;
    host::TriObject* as_tri_object() override;

  protected:
    host::Box3 local_box(host::TimeValue t) override;

  private:
    host::Mesh base_;
    std::vector<host::TimeValue> key_times_;
    std::vector<host::Mesh> key_meshes_;
    std::vector<char> same_as_next_;
    host::Mesh blended_;                  // vertices interpolated between two keys
    const host::Mesh* current_ = &base_;  // the mesh at the last evaluation
    std::optional<HairSettings> hair_;
    TemporaryCounter counter_;
};

}  // namespace standin
