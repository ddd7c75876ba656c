// Vertex normals of a host mesh as its smoothing groups define them: faces that share a smoothing
// group at a vertex share one normal there, weighted by each face's interior angle at the vertex;
// normals the mesh fixes explicitly win, and faces without any smoothing group keep their own
// face normal.
#pragma once

#include <cstdint>
#include <vector>

#include "plugin/host/geometry.h"
#include "plugin/host/mesh.h"

namespace vsf {

// One smoothing entry of a vertex: the sum of the contributions of faces whose groups meet there.
// Only faces with smoothing groups contribute, so an entry is in use exactly when its mask is not
// zero.
struct SmoothingEntry {
    host::Point3 normal;     // unit length once the set is finished
    std::uint32_t mask = 0;  // the union of the smoothing groups that contributed
};

// The normal set of every vertex of one mesh, in flat arrays: entry v is the head of vertex v's
// chain, further entries (numbered after the heads) are kept apart. Most vertices have one entry,
// so the heads carry no link until some vertex needs a second entry, and the further entries grow
// without moving the heads. It refers to the mesh it was computed from, which must outlive it
// unchanged.
class VertexNormals {
  public:
    VertexNormals() = default;
    explicit VertexNormals(const host::Mesh& mesh);

    // Adds contribution to vertex's chain for a face of smoothing mask (not zero): into the first
    // entry that shares a group with mask or is not used yet, else into a new entry at the end.
    void add(std::uint32_t vertex, const host::Point3& contribution, std::uint32_t mask);
    // Merges into each entry the later entries that share a group with it (as it stood before)
    // and normalises every entry. Called once, after the last add.
    void finish();

    // The normal of vertex at face, a face of the given smoothing mask: the mesh's explicit normal
    // for that corner; for a mask without groups the face's own normal; else the first entry
    // sharing a group with mask, or the chain's last entry when none does.
    host::Point3 normal(std::uint32_t vertex, std::uint32_t face, std::uint32_t mask) const {
        host::Point3 fixed;
        if (has_explicit_ && explicit_normal(vertex, face, fixed)) {
            return fixed;
        }
        if (mask == 0) {
            return face_normal(face);
        }
        std::int32_t last = static_cast<std::int32_t>(vertex);
        for (std::int32_t e = last; e >= 0; e = next(e)) {
            const SmoothingEntry& item = entry(e);
            if ((item.mask & mask) != 0) {
                return item.normal;
            }
            last = e;
        }
        return entry(last).normal;
    }

    // Whether the mesh fixes the normal of vertex at face (the last such corner of the face
    // wins); writes it to out.
    bool explicit_normal(std::uint32_t vertex, std::uint32_t face, host::Point3& out) const;
    // The unit normal of face's plane, (P1 - P0) x (P2 - P1); zero for a degenerate face.
    host::Point3 face_normal(std::uint32_t face) const;

    const host::Mesh& mesh() const { return *mesh_; }

  private:
    struct ChainEntry {
        SmoothingEntry entry;
        std::int32_t next = -1;
    };

    bool is_head(std::int32_t e) const { return static_cast<std::size_t>(e) < heads_.size(); }
    SmoothingEntry& entry(std::int32_t e) {
        return is_head(e) ? heads_[static_cast<std::size_t>(e)]
                          : further_[static_cast<std::size_t>(e) - heads_.size()].entry;
    }
    const SmoothingEntry& entry(std::int32_t e) const {
        return is_head(e) ? heads_[static_cast<std::size_t>(e)]
                          : further_[static_cast<std::size_t>(e) - heads_.size()].entry;
    }
    // The entry after e in its vertex's chain; -1 ends it.
    std::int32_t next(std::int32_t e) const {
        if (is_head(e)) {
            return head_next_.empty() ? -1 : head_next_[static_cast<std::size_t>(e)];
        }
        return further_[static_cast<std::size_t>(e) - heads_.size()].next;
    }
    void set_next(std::int32_t e, std::int32_t after);

    const host::Mesh* mesh_ = nullptr;
    bool has_explicit_ = false;
    std::vector<SmoothingEntry> heads_;    // entry v: the head of vertex v's chain
    std::vector<std::int32_t> head_next_;  // per head: its chain's next entry; empty: none yet
    std::vector<ChainEntry> further_;      // entry heads_.size() + i: further_[i]
};

// One normal set per vertex of mesh. Faces naming a vertex beyond the mesh's vertices add
// nothing. The result refers to mesh (see VertexNormals).
VertexNormals compute_vertex_normals(const host::Mesh& mesh);

// The normal of vertex at face, a face of smoothing groups mask (see VertexNormals::normal).
inline host::Point3 normal_for(const VertexNormals& normals, std::uint32_t vertex,
                               std::uint32_t face, std::uint32_t mask) {
    return normals.normal(vertex, face, mask);
}

}  // namespace vsf
