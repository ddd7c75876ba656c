#include <algorithm>
#include <string>

#include "exporter/material_rules.h"

namespace vsf {

void convert_standard_material(const MaterialContext& context, MaterialRecord& record,
                               const host::Mesh& mesh, host::StdMaterial& material) {
    zyl::GenericMaterial& out = *record.material;
    const host::Color diffuse = material.diffuse_at(record.time);
    out.set_diffuse_color(diffuse.r, diffuse.g, diffuse.b);
    // A level of 0 still gives a (black) specular colour, and so a plastic shader.
    const host::Color specular = material.specular_at(record.time);
    const float level = material.specular_level_at(record.time);
    out.set_specular_color(specular.r * level, specular.g * level, specular.b * level);

    const int slots = std::min(material.sub_texmap_count(), kMaterialMapSlots);
    for (int i = 0; i < slots; ++i) {
        if (!material.map_enabled(i)) {
            continue;
        }
        const std::u16string name = material.sub_texmap_slot_name(i);
        host::Texmap* map = material.sub_texmap(i);
        if (name == u"Diffuse Color") {
            convert_map_slot(context, record, material, mesh, map, MapSlot::diffuse);
        } else if (name == u"Opacity") {
            convert_map_slot(context, record, material, mesh, map, MapSlot::opacity);
        } else if (name == u"Bump") {
            // The bump amount is not read: the height keeps the renderer material's default.
            convert_map_slot(context, record, material, mesh, map, MapSlot::bump);
        } else if ((name == u"Specular Color" || name == u"Specular Level") && map) {
            convert_map_slot(context, record, material, mesh, map, MapSlot::specular);
        }
    }
}

}  // namespace vsf
