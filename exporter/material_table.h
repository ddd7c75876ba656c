// A mesh's material table: one renderer material per distinct host material that the mesh's faces
// use, with what the mesh extraction needs to write texture coordinates for it.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "exporter/texture_baking.h"
#include "importers/sceneapi/dev/generic_material.h"
#include "plugin/host/geometry.h"
#include "plugin/host/interface.h"
#include "plugin/host/interval.h"
#include "plugin/host/material.h"
#include "plugin/host/mesh.h"
#include "plugin/host/node.h"

namespace vsf {

// The most material-id slots a table resolves; face ids wrap modulo the table's count.
constexpr int kMaxMaterialSlots = 128;
// The longest generated empty-material name, in bytes.
constexpr std::size_t kMaxEmptyMaterialName = 255;

// The four texture slots of a renderer material.
enum class MapSlot : int { diffuse = 0, bump = 1, specular = 2, opacity = 3 };

// The word that names the slot in baked file names: "diffuse", "bump", "specular", "opacity".
const char16_t* map_slot_word(MapSlot slot);

// One distinct host material of a mesh and its converted renderer material.
struct MaterialRecord {
    // Texture-coordinate transform of the last bitmap map converted (identity otherwise).
    host::Matrix3 uv_transform;
    // Host map channel of each slot's map; -1 = none.
    int diffuse_channel = -1;
    int opacity_channel = -1;
    int bump_channel = -1;
    int specular_channel = -1;
    // The material this record stands for; null for a face slot without material.
    host::Material* host_material = nullptr;
    // The converted material, shared with the triangle objects that use it.
    std::shared_ptr<zyl::GenericMaterial> material;
    // The generated name of an empty material (at most kMaxEmptyMaterialName bytes).
    std::string empty_name;
    // The time at which the mesh is taken.
    host::TimeValue time = 0;

    // The channel whose texture coordinates the mesh writes: the first of diffuse, opacity and
    // bump channel that is not -1 (never the specular one); -1 when there is none.
    int uv_channel() const;
    // The channel field of a slot.
    int& channel(MapSlot slot);
};

// The material table of one mesh (one frame of a deforming mesh).
struct MaterialTable {
    // Number of material-id slots: max(1, min(128, number of sub-materials of the node's
    // material)).
    int count = 1;
    // For a face material id d, entry d mod count holds the index of its record; -1 until a face
    // with that id is met.
    std::array<int, kMaxMaterialSlots> slot_record;
    // Records in order of first use from index 0; entries not yet used are null.
    std::array<std::unique_ptr<MaterialRecord>, kMaxMaterialSlots> records;

    MaterialTable() { slot_record.fill(-1); }

    // The record index of faces with material id: slot_record[id mod count].
    int record_index(int material_id) const { return slot_record[material_id % count]; }
    // The record of faces with material id; null when no face had that id.
    const MaterialRecord* record_for(int material_id) const;
};

// What the material conversion takes from the export run: the host (bitmap paths, bitmaps) and
// the run's bake cache. Both must outlive the conversion.
struct MaterialContext {
    host::Interface& host;
    BakeCache& bake_cache;
};

// Builds the table of mesh as node's material divides its faces, converting each distinct
// material once, at time. Sub-materials are not descended further; all empty sub-material slots
// share one empty record. The caller owns the result.
MaterialTable build_material_table(const MaterialContext& context, const host::Mesh& mesh,
                                   const host::Node& node, host::TimeValue time);

// Fills a new record (channels -1, record.time set) from material: a GenericMaterial named after
// it, by the rule of its class (Standard, the two recognised classes, or by names for any other).
// Maps on channels that mesh lacks are ignored.
void convert_material(const MaterialContext& context, MaterialRecord& record,
                      const host::Mesh& mesh, host::Material& material);

// Fills a new record for the face slot slot_index that has no material: a diffuse material named
// "<node> - EmptyMaterial#<slot> : <r>:<g>:<b>" whose colour is the node's wire colour.
void convert_empty_material(MaterialRecord& record, const host::Node& node, int slot_index);

// Turns map into the texture of slot on record.material: a bitmap map gives the absolute path of
// its loaded image (and its UV transform); any other map is baked into "<textures folder><host
// material name>_<slot word>.png". Does nothing for a null map, or a map on a channel that mesh
// lacks; a bitmap map without a loaded image sets the channel but no texture.
void convert_map_slot(const MaterialContext& context, MaterialRecord& record,
                      const host::Material& material, const host::Mesh& mesh, host::Texmap* map,
                      MapSlot slot);

}  // namespace vsf
