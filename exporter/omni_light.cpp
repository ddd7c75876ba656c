#include "exporter/light_emitters.h"

namespace vsf {

bool convert_omni_light(host::GenLight& light, zyl::zylSceneapi_oo& api, const LightNames& names,
                        host::TimeValue t) {
    // The host abstraction delivers light colours in 0 to 1, the renderer's unit: sent as read.
    const host::Color c = light.rgb_color(0, nullptr);
    emit_point_light(api, names, false, light.intensity(t, nullptr), zyl::Float3{c.r, c.g, c.b});
    return true;
}

}  // namespace vsf
