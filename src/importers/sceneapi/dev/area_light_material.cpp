#include "importers/sceneapi/dev/area_light_material.h"

#include <utility>

namespace zyl {

AreaLightMaterial::AreaLightMaterial(std::string name)
    : Material(std::move(name), "zyl_mesh_light") {}

void AreaLightMaterial::set_lumen(float lumen) {
    power_ = lumen;
    lumen_ = true;
}

void AreaLightMaterial::write_shaders(zylSceneapi_oo& api) {
    zylScene_api* out = api.api();
    const int32_t lumen = lumen_ ? 1 : 0;
    out->begin_shader(nullptr, "zyl_mesh_light");
    out->param("color", VT_FLOAT3, color_.data());
    out->param("lumen", VT_BOOL, &lumen);
    out->param("power", VT_FLOAT, &power_);
    out->end_shader();
    ShaderBlob* blob = out->current_blob();
    out->assign_shader_blob(0, blob);
    out->set_flags(kMaterialShaderFlags);
}

}  // namespace zyl
