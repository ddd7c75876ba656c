#include "importers/sceneapi/dev/diffuse_material.h"

#include <utility>

namespace zyl {

Diffuse::Diffuse(std::string name) : Material(std::move(name), "zyl_diffuse") {}

void Diffuse::set_color(float red, float green, float blue) {
    color_ = {clamp_unit(red), clamp_unit(green), clamp_unit(blue)};
}

void Diffuse::write_shaders(zylSceneapi_oo& api) {
    zylScene_api* out = api.api();
    ShaderBlob* blob = nullptr;
    if (!vertex_color_) {
        out->begin_shader(nullptr, shader_type().c_str());
        out->param("diffuse", VT_FLOAT3, color_.data());
        blob = out->current_blob();
        out->end_shader();
    } else {
        // The vertex-colour lookup is nested inside the diffuse shader: the outer shader carries
        // both the plain colour and the lookup under "diffuse".
        static const Float3 kDefaultVertexColor{0.8f, 0.8f, 0.8f};
        out->push_blob();
        out->begin_shader(nullptr, shader_type().c_str());
        out->push_blob();
        out->begin_shader(nullptr, "vertex_color");
        out->param("default_color", VT_FLOAT3, kDefaultVertexColor.data());
        out->end_shader();
        ShaderBlob* inner = out->current_blob();
        out->pop_blob();
        out->param("diffuse", VT_FLOAT3, color_.data());
        out->param_shader_blob("diffuse", inner);
        out->end_shader();
        blob = out->current_blob();
    }
    out->assign_shader_blob(0, blob);
    out->set_flags(kMaterialShaderFlags);
}

}  // namespace zyl
