#include <algorithm>
#include <string>

#include "exporter/material_rules.h"

namespace vsf {

namespace {

// Whether a map slot's name is base, or base followed by " Map".
bool slot_named(const std::u16string& name, const std::u16string& base) {
    return name == base || name == base + u" Map";
}

// The bump amount and bump map of every parameter block, by internal parameter name.
void convert_bump_parameters(const MaterialContext& context, MaterialRecord& record,
                             const host::Mesh& mesh, const host::Material& material) {
    for (int block_id = 0; block_id < kMaterialParamBlocks; ++block_id) {
        const host::ParamBlock* block = material.param_block_by_id(block_id);
        if (!block) {
            continue;
        }
        const int params = block->param_count();
        for (int index = 0; index < params; ++index) {
            const host::ParamId id = block->index_to_id(index);
            const host::ParamDef def = block->param_def(id);
            if (def.internal_name == u"bump_map_amt") {
                float amount = 0.0f;
                if (block->get_float(id, 0, amount)) {
                    record.material->set_bump_height(amount);
                }
            } else if (def.type == host::kParamTexmap && def.internal_name == u"bump_map") {
                host::Texmap* map = nullptr;
                if (block->get_texmap(id, 0, map)) {
                    convert_map_slot(context, record, material, mesh, map, MapSlot::bump);
                }
            }
        }
    }
}

}  // namespace

void convert_generic_material(const MaterialContext& context, MaterialRecord& record,
                              const host::Mesh& mesh, const host::Material& material) {
    zyl::GenericMaterial& out = *record.material;
    const host::Color diffuse = material.diffuse();
    out.set_diffuse_color(diffuse.r, diffuse.g, diffuse.b);
    const host::Color specular = material.specular();
    const float shininess = material.shininess();
    out.set_specular_color(specular.r * shininess, specular.g * shininess, specular.b * shininess);

    convert_bump_parameters(context, record, mesh, material);

    const int slots = std::min(material.sub_texmap_count(), kMaterialMapSlots);
    for (int i = 0; i < slots; ++i) {
        host::Texmap* map = material.sub_texmap(i);
        if (!map || !material.sub_texmap_on(i)) {
            continue;
        }
        const std::u16string name = material.sub_texmap_slot_name(i);
        if (slot_named(name, u"Diffuse Color")) {
            convert_map_slot(context, record, material, mesh, map, MapSlot::diffuse);
        } else if (slot_named(name, u"Opacity")) {
            convert_map_slot(context, record, material, mesh, map, MapSlot::opacity);
        } else if (slot_named(name, u"Bump")) {
            convert_map_slot(context, record, material, mesh, map, MapSlot::bump);
        } else if (slot_named(name, u"Specular")) {
            convert_map_slot(context, record, material, mesh, map, MapSlot::specular);
        }
    }
}

}  // namespace vsf
