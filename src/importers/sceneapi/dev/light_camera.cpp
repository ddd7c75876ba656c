#include "importers/sceneapi/dev/light_camera.h"

#include <utility>

#include "importers/sceneapi/dev/animation.h"

namespace zyl {

namespace {
constexpr int32_t kOrthographic = 1;
constexpr int32_t kFovModeSingle = 0;
constexpr int32_t kFovModeFour = 1;
// The camera flag that makes the renderer show the environment image of a viewset.
constexpr int32_t kViewsetFlags = 16;
}  // namespace

LightCamera::LightCamera(std::string name) : name_(std::move(name)) {}

void LightCamera::set_fov(float degrees) {
    fov_ = degrees;
    fov_mode_ = kFovModeSingle;
}

void LightCamera::set_clipping(float near_distance, float far_distance) {
    near_ = near_distance;
    far_ = far_distance;
}

void LightCamera::set_transform(const Matrix4d& matrix) {
    transform_ = matrix;
    has_transform_ = true;
}

void LightCamera::set_fov4(const std::array<float, 4>& fov4) {
    fov4_ = fov4;
    fov_mode_ = kFovModeFour;
}

void LightCamera::set_look_at(double x, double y, double z) {
    look_at_ = {x, y, z};
    has_look_at_ = true;
}

void LightCamera::emit(zylSceneapi_oo& api) {
    zylScene_api* out = api.api();
    // A refused section (another one still open) is the back end's concern; the camera writes
    // its parameters regardless.
    out->begin_camera(name_.c_str());
    if (projection_ == kOrthographic) {
        api.param("projection", std::string("orthographic"));
    } else {
        api.param("projection", std::string("perspective"));
        if (fov_mode_ == kFovModeSingle) {
            api.param("fov", fov_);
        } else if (fov_mode_ == kFovModeFour) {
            out->param("fov4", VT_FLOAT4B, fov4_.data());
        }
    }
    ShaderBlob* environment = environment_shader(api);
    out->param("reflection map", VT_BLOB, &environment);
    api.param("position", position_);
    api.param("direction", direction_);
    if (has_look_at_) {
        api.param("look_at", look_at_);
    }
    api.param("up", up_);
    // Comparisons with NaN fail, so an unusable range is never written.
    if (near_ > 0.0f && far_ > 0.0f && near_ < far_) {
        const float clipping[2] = {near_, far_};
        out->param("clipping", VT_FLOAT2, clipping);
    }
    if (animation_) {
        api.emit(*animation_);
    } else if (has_transform_) {
        api.transform(transform_);
    }
    out->end_camera();
}

void LightCamera::define(zylSceneapi_oo& /*api*/) {}

ShaderBlob* LightCamera::environment_shader(zylSceneapi_oo& api) {
    zylScene_api* out = api.api();
    out->begin_shader(nullptr, "zyl_envmap");
    api.param("texture", std::string("startup.hdr"));
    api.param("format", int32_t{3});
    api.param("radius", 25.0f);
    ShaderBlob* blob = out->current_blob();
    api.end_shader();
    return blob;
}

LightViewset::LightViewset(std::string name, std::string environment_texture, int32_t radius)
    : LightCamera(std::move(name)),
      environment_texture_(std::move(environment_texture)),
      radius_(radius) {}

ShaderBlob* LightViewset::environment_shader(zylSceneapi_oo& api) {
    static const Float3 kFadedColor{0.1f, 0.1f, 0.1f};
    const float ground_size = 50.0f;
    const int32_t direct_visibility = 1;
    const int32_t background_mode = 1;
    zylScene_api* out = api.api();
    out->begin_shader(nullptr, "zyl_envmap");
    out->param("texture", VT_STRING, environment_texture_.c_str());
    out->param("ground_size", VT_FLOAT, &ground_size);
    out->param("direct_visibility", VT_BOOL, &direct_visibility);
    out->param("faded_color", VT_FLOAT3, kFadedColor.data());
    out->param("background_mode", VT_INT, &background_mode);
    out->param("radius", VT_INT, &radius_);
    ShaderBlob* blob = out->current_blob();
    out->end_shader();
    out->param("flags", VT_INT, &kViewsetFlags);
    return blob;
}

}  // namespace zyl
