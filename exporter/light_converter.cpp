#include "exporter/light_converter.h"

#include <string>
#include <utility>

#include "exporter/light_emitters.h"
#include "exporter/narrow_text.h"
#include "plugin/host/class_id.h"
#include "plugin/host/object.h"

namespace vsf {

namespace {

bool is_sky_light(const host::Object& object) {
    return object.class_id() == host::kSkyLightClassId;
}

}  // namespace

LightConverter::LightConverter(std::shared_ptr<const Options> options, host::Interface& host)
    : options_(std::move(options)), host_(host) {}

bool LightConverter::convert_light(host::Node& node, zyl::zylSceneapi_oo& api, host::TimeValue t) {
    host::Object* object = node.eval_world_state(t);
    LightNames names;
    names.object = narrow_text(node.name());
    names.material = names.object + std::to_string(light_counter_);
    ++light_counter_;
    if (!object) {
        return false;
    }

    if (object->is_subclass_of(host::kPhotometricLightClassId)) {
        host::PhotometricLight* light = object->as_photometric_light();
        if (!options_->photometric_lights || !light) {
            return false;
        }
        switch (light->type()) {
            case host::kPhotometricTargetPoint:
            case host::kPhotometricFreePoint:
                return convert_photometric_point(host_, *light, api, names, t);
            case host::kPhotometricTargetArea:
            case host::kPhotometricFreeArea:
                return convert_area_light(*light, api, names, t);
            case host::kPhotometricSphere:
                return convert_sphere_light(*light, api, names, t);
            case host::kPhotometricCylinder:
                return convert_cylinder_light(*light, api, names, t);
            default:
                return false;
        }
    }
    if (options_->sky_lights && is_sky_light(*object)) {
        record_environment(node, t);
        return false;  // the environment map is written with the cameras, not here
    }
    host::GenLight* light = object->as_gen_light();
    if (object->class_id() == host::kOmniLightClassId && light &&
        light->light_type() == host::kOmniLight) {
        return convert_omni_light(*light, api, names, t);
    }
    return false;
}

bool LightConverter::record_environment(host::Node& node, host::TimeValue t) {
    host::Object* object = node.eval_world_state(t);
    if (!options_->sky_lights || !object || !is_sky_light(*object)) {
        return false;
    }
    std::string path = sky_light_environment(host_, *object, t);
    if (path.empty()) {
        return false;  // no loaded bitmap: the path recorded before stays
    }
    environment_map_path_ = std::move(path);
    return true;
}

}  // namespace vsf
