// One triangle object per material slot of a mesh: its own vertex list (position, normal and one
// texture coordinate per vertex) and triangle list, each host vertex split into as many output
// vertices as it has distinct normals and texture coordinates within the slot.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "exporter/material_table.h"
#include "exporter/mesh_extraction_normals.h"
#include "importers/sceneapi/dev/triangle_object.h"
#include "plugin/host/geometry.h"
#include "plugin/host/mesh.h"

namespace vsf {

// Two normals or texture coordinates closer than this are one (single-precision epsilon; for
// normals, compared as written, it bounds the squared distance).
constexpr float kSplitEpsilon = 1.1920929e-7f;

// Builds the slot objects of one mesh, reusing its scratch arrays from slot to slot. The faces are
// sorted by slot once. mesh, normals and table must outlive the builder unchanged.
class SlotObjectBuilder {
  public:
    SlotObjectBuilder(const host::Mesh& mesh, const VertexNormals& normals,
                      const MaterialTable& table);

    // The object named name holding the faces whose slot (record index) is slot, with positions
    // mapped by transform and normals by its 3x3 part (normalised); null when no face uses the
    // slot. Texture coordinates come from the record's UV channel through its UV transform, and
    // only when the mesh carries that channel. Corner order is kept; faces naming a vertex or a
    // texture point beyond the mesh's arrays are left out.
    std::shared_ptr<zyl::TriangleObject> build(const std::string& name, int slot,
                                               const host::Matrix3& transform);

  private:
    const host::Mesh& mesh_;
    const VertexNormals& normals_;
    const MaterialTable& table_;
    bool single_slot_ = false;                 // every face uses record 0
    std::vector<std::int32_t> faces_by_slot_;  // face indices grouped by slot
    std::vector<std::int32_t> slot_start_;     // slot s: [slot_start_[s], slot_start_[s + 1])
    std::vector<std::int32_t> split_head_;     // per host vertex: its first output vertex or -1
    std::vector<std::int32_t> split_next_;     // per output vertex: the next split of its vertex;
                                               // empty while no vertex has split
};

// The object of one slot of mesh (see SlotObjectBuilder::build); null when no face uses it.
std::shared_ptr<zyl::TriangleObject> build_slot_object(const std::string& name,
                                                       const host::Mesh& mesh,
                                                       const VertexNormals& normals, int slot,
                                                       const MaterialTable& table,
                                                       const host::Matrix3& transform);

}  // namespace vsf
