// The shader builders of the object front end: numbered shader definitions for texture lookups,
// diffuse and plastic surfaces, bump maps and opacity composites. Typed values go through the
// front end's param setters; colours and shader references through the scene interface.
#include <string>

#include "importers/sceneapi/dev/sceneapi_oo.h"

namespace zyl {

namespace {
// Texture lookups project with the mesh's own texture coordinates.
constexpr int32_t kUvProjection = 4;
}  // namespace

int32_t zylSceneapi_oo::texture_shader(const std::string& path, const Float3& default_color,
                                       bool blend, float scale_u, float scale_v) {
    const int32_t id = begin_shader("texture2_rgb");
    param("uv_projection", kUvProjection);
    param("texture", path);
    param("uv_scale_u", scale_u);
    param("uv_scale_v", scale_v);
    param("blend_color", blend);
    api()->param("default_color", VT_FLOAT3, default_color.data());
    end_shader();
    return id;
}

int32_t zylSceneapi_oo::diffuse_shader(const Float3& color, const std::string& path, bool blend,
                                       float scale_u, float scale_v) {
    int32_t texture = -1;
    if (!path.empty()) {
        texture = texture_shader(path, color, blend, scale_u, scale_v);
    }
    const int32_t id = begin_shader("zyl_diffuse");
    if (!path.empty()) {
        api()->param_shader("diffuse", texture);
    }
    // The colour is written even under a texture: the renderer falls back to it.
    api()->param("diffuse", VT_FLOAT3, color.data());
    end_shader();
    return id;
}

int32_t zylSceneapi_oo::plastic_shader(const Float3& diffuse_color, const Float3& specular_color,
                                       const std::string& diffuse_path,
                                       const std::string& specular_path, float roughness,
                                       float diffuse_scale_u, float diffuse_scale_v,
                                       float specular_scale_u, float specular_scale_v) {
    int32_t diffuse_texture = -1;
    if (!diffuse_path.empty()) {
        diffuse_texture =
            texture_shader(diffuse_path, diffuse_color, false, diffuse_scale_u, diffuse_scale_v);
    }
    int32_t specular_texture = -1;
    if (!specular_path.empty()) {
        // The specular lookup, too, falls back to the diffuse colour.
        specular_texture =
            texture_shader(specular_path, diffuse_color, false, specular_scale_u, specular_scale_v);
    }
    const int32_t id = begin_shader("zyl_plastic_simple");
    zylScene_api* out = api();
    if (!diffuse_path.empty()) {
        out->param_shader("diffuse", diffuse_texture);
    }
    if (!specular_path.empty()) {
        out->param_shader("specular", specular_texture);
    }
    out->param("diffuse", VT_FLOAT3, diffuse_color.data());
    out->param("specular", VT_FLOAT3, specular_color.data());
    out->param("roughness", VT_FLOAT, &roughness);
    end_shader();
    return id;
}

int32_t zylSceneapi_oo::bump_shader(int32_t base_shader, const std::string& path, float bump_height,
                                    float scale_u, float scale_v) {
    const int32_t texture = begin_shader("texture2_rgb");
    param("texture", path);
    param("uv_projection", kUvProjection);
    param("bump_height", bump_height);
    param("uv_scale_u", scale_u);
    param("uv_scale_v", scale_v);
    param("bump_mode", int32_t{0});
    end_shader();

    const int32_t id = begin_shader("zyl_bumpmap");
    api()->param("bumpmap", VT_SHADER, &texture);
    api()->param("shader", VT_SHADER, &base_shader);
    end_shader();
    return id;
}

int32_t zylSceneapi_oo::opacity_shader(int32_t base_shader, const std::string& path, float scale_u,
                                       float scale_v) {
    const int32_t texture = begin_shader("texture2_rgba");
    param("uv_projection", kUvProjection);
    param("texture", path);
    param("uv_scale_u", scale_u);
    param("uv_scale_v", scale_v);
    end_shader();

    // The opacity layer: fully transparent where the texture's alpha says so.
    const int32_t layer = begin_shader("zyl_advanced");
    api()->param_shader("diffuse", texture);
    param("alpha", int32_t{1});
    param("opacity_mode", int32_t{2});
    param("use_diffuse_map_alpha", true);
    end_shader();

    const int32_t id = begin_shader("zyl_composite");
    zylScene_api* out = api();
    out->begin_list("shaders");
    out->list_item(VT_INT, &layer);
    out->list_item(VT_INT, &base_shader);
    out->end_list();
    param("opacity_map", true);
    end_shader();
    return id;
}

}  // namespace zyl
