#include "exporter/light_emitters.h"
#include "exporter/narrow_text.h"
#include "plugin/host/class_id.h"
#include "plugin/host/material.h"

namespace vsf {

namespace {

// The sky light's environment map in each of its parameter blocks.
constexpr host::ParamId kSkyMapParam = 2;

}  // namespace

std::string sky_light_environment(host::Interface& host, const host::Object& sky,
                                  host::TimeValue t) {
    std::string path;
    const int blocks = sky.param_block_count();
    for (int i = 0; i < blocks; ++i) {
        const host::ParamBlock* block = sky.param_block(i);
        host::Texmap* map = nullptr;
        if (!block || !block->get_texmap(kSkyMapParam, 0, map) || !map ||
            map->class_id() != host::kBitmapTexClassId) {
            continue;
        }
        host::BitmapTex* bitmap_map = map->as_bitmap_tex();
        if (!bitmap_map || !bitmap_map->bitmap(t)) {
            continue;  // an image that is not loaded gives no environment
        }
        host::BitmapInfo info;
        info.name = bitmap_map->map_name();
        path = narrow_text(host.resolve_asset_path(info.name, host::kBitmapAsset));
    }
    return path;
}

}  // namespace vsf
