// Internal to the light conversion: one function per kind of light output. Each writes through
// the front end inside the light node's open group and returns true when it wrote an object.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "importers/sceneapi/dev/sceneapi_oo.h"
#include "plugin/host/interface.h"
#include "plugin/host/object.h"

namespace vsf {

// The names of one light's output: the object is named after the node, its material after the
// node and the light counter, so that every light material of a pass has its own name.
struct LightNames {
    std::string object;
    std::string material;
};

// The degenerate triangle that carries a point-like light's shader: the object, an optional
// transform (null: none), the three-vertex geometry and an in-place material whose anonymous
// surface shader of shader_type gets its parameters from write_params.
void emit_point_carrier(zyl::zylSceneapi_oo& api, const LightNames& names,
                        const zyl::Matrix4d* transform, const char* shader_type,
                        const std::function<void(zylScene_api&)>& write_params);

// A "zyl_point_light" carrier: power in lumen or not, and the light's colour.
void emit_point_light(zyl::zylSceneapi_oo& api, const LightNames& names, bool lumen, float power,
                      const zyl::Float3& color);

// A light's power as the renderer's integer: truncated toward zero, limited to the int32 range,
// 0 for a value that is not a number.
int32_t truncated_power(float power);

// Photometric point lights (type codes 532 and 533): an IES light when the web distribution
// names a photometric file that is found, else a point light in lumen.
bool convert_photometric_point(host::Interface& host, host::PhotometricLight& light,
                               zyl::zylSceneapi_oo& api, const LightNames& names,
                               host::TimeValue t);

// Photometric mesh lights: the light's outline (3 or 4 vertices), a sphere of the light's
// radius, a cylinder from the light's outline; each with an emissive material.
bool convert_area_light(host::PhotometricLight& light, zyl::zylSceneapi_oo& api,
                        const LightNames& names, host::TimeValue t);
bool convert_sphere_light(host::PhotometricLight& light, zyl::zylSceneapi_oo& api,
                          const LightNames& names, host::TimeValue t);
bool convert_cylinder_light(host::PhotometricLight& light, zyl::zylSceneapi_oo& api,
                            const LightNames& names, host::TimeValue t);

// A standard omni light as a point light of the light's multiplier and colour.
bool convert_omni_light(host::GenLight& light, zyl::zylSceneapi_oo& api, const LightNames& names,
                        host::TimeValue t);

// The absolute path of a sky light's environment bitmap (the last parameter block whose map is a
// loaded bitmap map wins), as 8-bit text; empty when it has none.
std::string sky_light_environment(host::Interface& host, const host::Object& sky,
                                  host::TimeValue t);

}  // namespace vsf
