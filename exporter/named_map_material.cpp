#include <string>

#include "exporter/material_rules.h"

namespace vsf {

namespace {

constexpr int kNamedMapBlock = 0;
// The bump amount, in the material's own scale: 20 of its units are one unit of bump height.
constexpr host::ParamId kBumpAmountParam = 5;
constexpr float kBumpAmountScale = 0.05f;

}  // namespace

void convert_named_map_material(const MaterialContext& context, MaterialRecord& record,
                                const host::Mesh& mesh, const host::Material& material) {
    const host::ParamBlock* block = material.param_block_by_id(kNamedMapBlock);
    if (!block) {
        return;  // the material keeps its default colours
    }
    // The parameters are looked up by index used as id, as this material numbers them 0, 1, 2...
    const int params = block->param_count();
    for (host::ParamId id = 0; id < params; ++id) {
        const std::u16string name = block->local_name(id);
        if (id == kBumpAmountParam) {
            float amount = 0.0f;
            if (block->get_float(id, record.time, amount)) {
                record.material->set_bump_height(amount * kBumpAmountScale);
            }
        }
        if (block->param_def(id).type != host::kParamTexmap) {
            continue;
        }
        host::Texmap* map = nullptr;
        if (!block->get_texmap(id, 0, map)) {
            continue;
        }
        if (name == u"texmap_bump") {
            convert_map_slot(context, record, material, mesh, map, MapSlot::bump);
        }
        if (name == u"texmap_diffuse_color") {
            convert_map_slot(context, record, material, mesh, map, MapSlot::diffuse);
        }
        if (name == u"texmap_specular_glossiness" && map) {
            convert_map_slot(context, record, material, mesh, map, MapSlot::specular);
        }
    }
}

}  // namespace vsf
