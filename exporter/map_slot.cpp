#include <string>

#include "exporter/material_table.h"
#include "exporter/narrow_text.h"
#include "plugin/host/class_id.h"

namespace vsf {

namespace {

// The material name as one file-name component: a name may hold characters that a file system
// reads as folders or refuses ("../", ":"), which would put the baked file outside the textures
// folder or make it unwritable, so each of those becomes "_".
std::u16string file_name_part(const std::u16string& name) {
    std::u16string part = name;
    for (char16_t& c : part) {
        if (c < 0x20 || c == u'/' || c == u'\\' || c == u':' || c == u'*' || c == u'?' ||
            c == u'"' || c == u'<' || c == u'>' || c == u'|') {
            c = u'_';
        }
    }
    return part;
}

void set_texture(zyl::GenericMaterial& material, MapSlot slot, const std::string& path) {
    switch (slot) {
        case MapSlot::diffuse:
            material.set_diffuse_texture(path);
            break;
        case MapSlot::bump:
            material.set_bump_texture(path);
            break;
        case MapSlot::specular:
            material.set_specular_texture(path);
            break;
        case MapSlot::opacity:
            material.set_opacity_texture(path);
            break;
    }
}

}  // namespace

void convert_map_slot(const MaterialContext& context, MaterialRecord& record,
                      const host::Material& material, const host::Mesh& mesh, host::Texmap* map,
                      MapSlot slot) {
    if (!map) {
        return;
    }
    const int ch = map->map_channel();
    if (!mesh.map_support(ch)) {
        return;  // the slot keeps its channel and gets no texture
    }
    record.channel(slot) = ch;

    host::BitmapTex* bitmap_map = map->as_bitmap_tex();
    if (map->class_id() == host::kBitmapTexClassId && bitmap_map) {
        // Baked maps are rendered in their own texture space; only bitmaps carry a transform.
        record.uv_transform = bitmap_map->uv_transform();
        host::Bitmap* image = bitmap_map->bitmap(record.time);
        if (!image) {
            return;
        }
        host::BitmapInfo info;
        info.name = bitmap_map->map_name();
        image->fill_info(info);
        const std::u16string path = context.host.resolve_asset_path(info.name, host::kBitmapAsset);
        set_texture(*record.material, slot, narrow_text(path));
        return;
    }

    const std::u16string file =
        textures_folder() + file_name_part(material.name()) + u"_" + map_slot_word(slot) + u".png";
    bake_map(context.host, context.bake_cache, *map, file);
    set_texture(*record.material, slot, narrow_text(file));
}

}  // namespace vsf
