// Internal to the material conversion: the rule for each kind of host material. Each fills
// record.material (already created and named) from material at record.time.
#pragma once

#include "exporter/material_table.h"

namespace vsf {

// How many map slots and parameter blocks the rules look at.
constexpr int kMaterialMapSlots = 20;
constexpr int kMaterialParamBlocks = 20;

// The host's Standard material: colours, specular level and the enabled map slots.
void convert_standard_material(const MaterialContext& context, MaterialRecord& record,
                               const host::Mesh& mesh, host::StdMaterial& material);

// The material read by parameter block: one colour in block 1, switched maps in block 4.
void convert_block_color_material(const MaterialContext& context, MaterialRecord& record,
                                  const host::Mesh& mesh, const host::Material& material);

// The material read by parameter name: the bump amount and the texmap_* maps of block 0.
void convert_named_map_material(const MaterialContext& context, MaterialRecord& record,
                                const host::Mesh& mesh, const host::Material& material);

// Any other material: its colours, its bump parameters and its map slots found by name.
void convert_generic_material(const MaterialContext& context, MaterialRecord& record,
                              const host::Mesh& mesh, const host::Material& material);

}  // namespace vsf
