#include "importers/sceneapi/dev/material.h"

#include <cmath>
#include <utility>

#include "importers/sceneapi/dev/sceneapi_oo.h"

namespace zyl {

Material::Material(std::string name, std::string shader_type)
    : name_(std::move(name)), shader_type_(std::move(shader_type)) {}

void Material::emit(zylSceneapi_oo& api) {
    zylScene_api* out = api.api();
    if (is_defined()) {
        out->use_material(name_.c_str());
        return;
    }
    out->begin_material(name_.c_str(), true);
    write_shaders(api);
    out->end_material();
}

void Material::define(zylSceneapi_oo& api) {
    zylScene_api* out = api.api();
    out->begin_material(name_.c_str(), false);
    write_shaders(api);
    out->end_material();
    defined_ = true;
}

float clamp_unit(float value) {
    if (std::isnan(value)) {
        return 0.0f;
    }
    if (value < 0.0f) {
        return 0.0f;
    }
    if (value > 1.0f) {
        return 1.0f;
    }
    return value;
}

}  // namespace zyl
