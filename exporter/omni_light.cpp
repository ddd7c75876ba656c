#include "exporter/light_emitters.h"

namespace vsf {

bool convert_omni_light(host::GenLight& light, zyl::zylSceneapi_oo& api, const LightNames& names,
                        host::TimeValue t) {
    const int32_t lumen = 0;
    const int32_t power = truncated_power(light.intensity(t, nullptr));
    // The host abstraction delivers light colours in 0 to 1, the renderer's unit: sent as read.
    const host::Color c = light.rgb_color(0, nullptr);
    const zyl::Float3 color{c.r, c.g, c.b};
    emit_point_carrier(api, names, nullptr, "zyl_point_light", [&](zylScene_api& scene) {
        scene.param("lumen", VT_BOOL, &lumen);
        scene.param("power", VT_INT, &power);
        scene.param("color", VT_FLOAT3, color.data());
    });
    return true;
}

}  // namespace vsf
