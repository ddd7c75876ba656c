#include "importers/sceneapi/dev/curve_material.h"

#include <utility>

namespace zyl {

CurveMaterial::CurveMaterial(std::string name) : Material(std::move(name), "zyl_diffuse") {}

void CurveMaterial::write_shaders(zylSceneapi_oo& api) {
    zylScene_api* out = api.api();
    // The vertex-colour shader is written in every case; it is referenced only with vertex colour.
    const int32_t vertex_colors = api.begin_shader("vertex_color");
    api.end_shader();

    const int32_t randomizer = api.begin_shader("zyl_curve_randomize");
    if (vertex_color_) {
        out->param_shader("map", vertex_colors);
    } else {
        out->param("map", VT_FLOAT3, color_.data());
    }
    api.param("hue", hue_);
    api.param("value", value_);
    api.end_shader();

    const int32_t surface = api.begin_shader("zyl_diffuse");
    out->param_shader("diffuse", randomizer);
    api.end_shader();

    out->assign_shader(0, surface);
    out->set_flags(kMaterialShaderFlags);
}

}  // namespace zyl
