#include "standin/host/light_objects.h"

#include <algorithm>

namespace standin {

host::ClassId standard_light_class(int type) {
    switch (type) {
        case host::kTargetSpotLight:
            return {0x1012, 0};
        case host::kDirectionalLight:
            return {0x1013, 0};
        case host::kFreeSpotLight:
            return {0x1014, 0};
        case host::kTargetDirectionalLight:
            return {0x1015, 0};
        default:
            return host::kOmniLightClassId;
    }
}

PhotometricLightObject::PhotometricLightObject(PhotometricLightSettings settings)
    : ObjectImpl(host::kLightSuperClass, kStandinPhotometricClassId),
      settings_(std::move(settings)) {
    for (int id = 0; id < 3; ++id) {
        add_param_block(id);
    }
    ParamBlock& web = add_param_block(3, u"web");
    web.add_param(kWebFileParam, host::kParamString, u"webFile", settings_.web_file);
    web.add_param(kWebRotationXParam, host::kParamFloat, u"xRotation", settings_.web_rotation.x);
    web.add_param(kWebRotationYParam, host::kParamFloat, u"yRotation", settings_.web_rotation.y);
    web.add_param(kWebRotationZParam, host::kParamFloat, u"zRotation", settings_.web_rotation.z);
}

int PhotometricLightObject::shape(host::Point3* points, int buffer_size) const {
    const int count = static_cast<int>(settings_.shape.size());
    if (points != nullptr && buffer_size > 0) {
        std::copy_n(settings_.shape.begin(), std::min(count, buffer_size), points);
    }
    return count;
}

host::Box3 PhotometricLightObject::local_box(host::TimeValue) {
    host::Box3 box{host::Point3(), host::Point3()};
    for (const host::Point3& p : settings_.shape) {
        box += p;
    }
    const float r = settings_.radius;
    if (r > 0.0f) {
        box += host::Box3(host::Point3(-r, -r, -r), host::Point3(r, r, r));
    }
    return box;
}

SkyLightObject::SkyLightObject(const SkyLightSettings& settings)
    : ObjectImpl(host::kLightSuperClass, host::kSkyLightClassId) {
    ParamBlock& block = add_param_block(0, u"parameters");
    block.add_param(kSkyMultiplierParam, host::kParamFloat, u"multiplier", settings.multiplier);
    block.add_param(kSkyColorParam, host::kParamRgba, u"sky_color", settings.color);
    block.add_param(kSkyMapParam, host::kParamTexmap, u"sky_color_map", settings.map);
}

}  // namespace standin
