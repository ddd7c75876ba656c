#include "importers/sceneapi/dev/light_module.h"

#include <utility>

#include "importers/sceneapi/dev/sceneapi_oo.h"

namespace zyl {

LightModule::LightModule(std::string module_name) : module_name_(std::move(module_name)) {}

void LightModule::emit(zylSceneapi_oo& api) {
    api.api()->begin_load(module_name_.c_str());
    write_options(api);
    api.api()->end_load();
}

void LightModule::define(zylSceneapi_oo&) {}

bool LightModule::is_defined() const {
    return false;
}

DefaultRTModule::DefaultRTModule() : LightModule("zylrtopt.so") {}

void DefaultRTModule::write_options(zylSceneapi_oo& api) {
    api.param("import_mode", import_mode_);
    api.param("import_merge_groups", merge_groups_);
    api.param("import_merge_objects", merge_objects_);
    api.param("import_up_vector", up_vector_);
    api.param("meter_scale", meter_scale_);
    api.param("import_keep_original", keep_original_);
    api.param("import_center_geometry", center_geometry_);
    api.param("import_snap_to_ground", snap_to_ground_);
    api.param("import_adjust_camera", adjust_camera_);
    api.param("import_adjust_environment", adjust_environment_);
    if (!use_camera_.empty()) {
        api.param("import_use_camera", use_camera_);
    }
    api.param("ext", ext_);
}

}  // namespace zyl
