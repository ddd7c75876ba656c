// Turning the host's lights into renderer geometry that carries light-emitting materials, and
// recording the sky light's bitmap as the scene's environment map.
#pragma once

#include <memory>
#include <string>

#include "exporter/options.h"
#include "importers/sceneapi/dev/sceneapi_oo.h"
#include "plugin/host/interface.h"
#include "plugin/host/node.h"

namespace vsf {

// The light conversion state of one pass: a fresh converter per exporter run and per frame file.
//
// Light colours: the host abstraction delivers a light's colour with channels in 0 to 1
// (host::GenLight::rgb_color), the renderer's unit, so the omni light's colour is sent as read.
class LightConverter {
  public:
    // options is read at every conversion (photometric and sky-light switches); host finds
    // photometric files. host must outlive the converter.
    LightConverter(std::shared_ptr<const Options> options, host::Interface& host);

    // Exports the light of node (its world-state object at t) inside the node's open group:
    // photometric point, IES, area, sphere and cylinder lights, omni lights; a sky light only
    // records its environment map. Every call advances light_counter, whatever it writes; the
    // material names it writes are the node name followed by the counter before the call.
    // Returns true when it wrote an object.
    bool convert_light(host::Node& node, zyl::zylSceneapi_oo& api, host::TimeValue t);

    // The sky-light pre-pass before the cameras: records the environment map of node when it is
    // a sky light and sky lights are on. Writes nothing and leaves light_counter alone. True when
    // it recorded a path.
    bool record_environment(host::Node& node, host::TimeValue t);

    // The absolute path (8-bit) of the bitmap of the last sky light recorded; empty when none.
    const std::string& environment_map_path() const { return environment_map_path_; }
    // The number of convert_light calls so far.
    int light_counter() const { return light_counter_; }

  private:
    std::shared_ptr<const Options> options_;
    host::Interface& host_;
    std::string environment_map_path_;
    int light_counter_ = 0;
};

// The display colour (red, green, blue) of a black body at kelvin, at luminance 0.5 in sRGB;
// channels at most 1 (and not raised when negative).
zyl::Float3 kelvin_to_color(float kelvin);

// The photometric file path: path itself when that file exists, else the first existing file of
// that name in the host's photometric search folders, else empty.
std::u16string find_photometric_file(host::Interface& host, const std::u16string& path);

// The rotation Rx(a) Ry(b) Rz(c), angles in degrees, as 16 doubles row by row (row-vector
// convention).
zyl::Matrix4d euler_web_rotation(double a, double b, double c);

}  // namespace vsf
