#include "exporter/material_rules.h"

namespace vsf {

namespace {

constexpr int kColorBlock = 1;
constexpr host::ParamId kColorParam = 1;
constexpr int kMapBlock = 4;
// Map parameters and the switches that turn them on.
constexpr host::ParamId kDiffuseMapParam = 100;
constexpr host::ParamId kBumpMapParam = 103;
constexpr host::ParamId kDiffuseMapOnParam = 150;
constexpr host::ParamId kBumpMapOnParam = 153;

// The map of parameter map_param when the switch switch_param is on; null otherwise.
host::Texmap* switched_map(const host::ParamBlock& block, host::ParamId switch_param,
                           host::ParamId map_param) {
    int on = 0;
    host::Texmap* map = nullptr;
    if (!block.get_int(switch_param, 0, on) || on == 0) {
        return nullptr;
    }
    return block.get_texmap(map_param, 0, map) ? map : nullptr;
}

}  // namespace

void convert_block_color_material(const MaterialContext& context, MaterialRecord& record,
                                  const host::Mesh& mesh, const host::Material& material) {
    zyl::GenericMaterial& out = *record.material;
    // A missing block or parameter leaves the renderer material's defaults.
    if (const host::ParamBlock* colors = material.param_block_by_id(kColorBlock)) {
        host::Color c;
        if (colors->get_color(kColorParam, record.time, c)) {
            out.set_diffuse_color(c.r, c.g, c.b);
            out.set_specular_color(c.r, c.g, c.b);
        }
    }
    if (const host::ParamBlock* maps = material.param_block_by_id(kMapBlock)) {
        convert_map_slot(context, record, material, mesh,
                         switched_map(*maps, kDiffuseMapOnParam, kDiffuseMapParam),
                         MapSlot::diffuse);
        convert_map_slot(context, record, material, mesh,
                         switched_map(*maps, kBumpMapOnParam, kBumpMapParam), MapSlot::bump);
    }
}

}  // namespace vsf
