#include "importers/sceneapi/dev/generic_material.h"

#include <utility>

namespace zyl {

namespace {
const char* const kDiffuseShader = "zyl_diffuse";
const char* const kPlasticShader = "zyl_plastic_simple";
}  // namespace

GenericMaterial::GenericMaterial(std::string name) : Material(std::move(name), kDiffuseShader) {
    choose_shader_type();
}

void GenericMaterial::set_diffuse_color(float red, float green, float blue) {
    diffuse_color_ = {clamp_unit(red), clamp_unit(green), clamp_unit(blue)};
}

void GenericMaterial::set_specular_color(float red, float green, float blue) {
    specular_color_ = {clamp_unit(red), clamp_unit(green), clamp_unit(blue)};
    has_specular_ = true;
    choose_shader_type();
}

void GenericMaterial::set_specular_texture(const std::string& path) {
    specular_texture_ = path;
    choose_shader_type();
}

void GenericMaterial::choose_shader_type() {
    set_shader_type(has_specular_ || !specular_texture_.empty() ? kPlasticShader : kDiffuseShader);
}

void GenericMaterial::write_shaders(zylSceneapi_oo& api) {
    const TextureScale& diffuse = scales_[kDiffuseSlot];
    const TextureScale& specular = scales_[kSpecularSlot];
    const TextureScale& bump = scales_[kBumpSlot];
    const TextureScale& opacity = scales_[kOpacitySlot];

    int32_t surface = 0;
    if (shader_type() == kDiffuseShader) {
        surface = api.diffuse_shader(diffuse_color_, diffuse_texture_, false, diffuse.u, diffuse.v);
    } else {
        surface =
            api.plastic_shader(diffuse_color_, specular_color_, diffuse_texture_, specular_texture_,
                               roughness_, diffuse.u, diffuse.v, specular.u, specular.v);
    }
    if (!bump_texture_.empty()) {
        surface = api.bump_shader(surface, bump_texture_, bump_height_, bump.u, bump.v);
    }
    if (!opacity_texture_.empty()) {
        surface = api.opacity_shader(surface, opacity_texture_, opacity.u, opacity.v);
    }
    zylScene_api* out = api.api();
    out->assign_shader(0, surface);
    out->set_flags(kMaterialShaderFlags);
}

}  // namespace zyl
