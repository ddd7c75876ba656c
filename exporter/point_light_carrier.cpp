#include <cstdint>

#include "exporter/light_emitters.h"

namespace vsf {

namespace {

// Surface shaders are assigned with kind 0.
constexpr int32_t kSurfaceShader = 0;

}  // namespace

int32_t truncated_power(float power) {
    if (!(power == power)) {
        return 0;
    }
    if (power >= 2147483647.0f) {
        return 2147483647;
    }
    if (power <= -2147483648.0f) {
        return -2147483647 - 1;
    }
    return static_cast<int32_t>(power);
}

void emit_point_carrier(zyl::zylSceneapi_oo& api, const LightNames& names,
                        const zyl::Matrix4d* transform, const char* shader_type,
                        const std::function<void(zylScene_api&)>& write_params) {
    // A tiny triangle with distinct corners, so that it has an extent but cannot be seen.
    static const float kVertices[9] = {0.0f,   0.0f,   0.0f,   0.001f, 0.001f,
                                       0.001f, 0.002f, 0.002f, 0.002f};
    static const int32_t kTriangle[3] = {0, 1, 2};
    const ArrayDesc vertices{kVertices, 3};
    const ArrayDesc triangles{kTriangle, 3};

    if (!api.api()) {
        return;
    }
    zylScene_api& scene = *api.api();
    scene.begin_object(names.object.c_str(), true);
    if (transform) {
        scene.transform(transform->data());
    }
    scene.begin_geometry("triangles");
    scene.param("vertices", VT_ARRAY + VT_FLOAT3, &vertices);
    scene.param("triangles", VT_ARRAY + VT_INT, &triangles);
    scene.end_geometry();
    scene.begin_material(names.material.c_str(), true);
    scene.begin_shader(nullptr, shader_type);
    write_params(scene);
    scene.end_shader();
    ShaderBlob* blob = scene.current_blob();
    scene.assign_shader_blob(kSurfaceShader, blob);
    scene.end_material();
    scene.end_object();
}

void emit_point_light(zyl::zylSceneapi_oo& api, const LightNames& names, bool lumen, float power,
                      const zyl::Float3& color) {
    const int32_t lumen_flag = lumen ? 1 : 0;
    const int32_t truncated = truncated_power(power);
    emit_point_carrier(api, names, nullptr, "zyl_point_light", [&](zylScene_api& scene) {
        scene.param("lumen", VT_BOOL, &lumen_flag);
        scene.param("power", VT_INT, &truncated);
        scene.param("color", VT_FLOAT3, color.data());
    });
}

}  // namespace vsf
