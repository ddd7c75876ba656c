// Module nodes: make the renderer load one of its runtime modules with a set of options.
#pragma once

#include <cstdint>
#include <string>

#include "importers/sceneapi/dev/light_node.h"

namespace zyl {

class LightModule : public LightNode {
  public:
    explicit LightModule(std::string module_name);

    // Writes the load block: the module name and its options.
    void emit(zylSceneapi_oo& api) override;
    // Modules are never defined for later reference.
    void define(zylSceneapi_oo& api) override;
    bool is_defined() const override;
    virtual void write_options(zylSceneapi_oo& api) = 0;

    const std::string& module_name() const { return module_name_; }

  private:
    std::string module_name_;
};

// The renderer's import options, written first by every export ("zylrtopt.so").
class DefaultRTModule : public LightModule {
  public:
    DefaultRTModule();

    void set_import_mode(bool value) { import_mode_ = value; }
    void set_merge_groups(bool value) { merge_groups_ = value; }
    void set_merge_objects(bool value) { merge_objects_ = value; }
    // Index of the scene's up axis as the renderer's import understands it.
    void set_up_vector(int32_t value) { up_vector_ = value; }
    // Length of one scene unit in meters.
    void set_meter_scale(float value) { meter_scale_ = value; }
    void set_keep_original(bool value) { keep_original_ = value; }
    void set_center_geometry(bool value) { center_geometry_ = value; }
    void set_adjust_camera(bool value) { adjust_camera_ = value; }
    void set_adjust_environment(bool value) { adjust_environment_ = value; }
    void set_ext(bool value) { ext_ = value; }

    void write_options(zylSceneapi_oo& api) override;

  private:
    bool import_mode_ = true;
    bool merge_groups_ = true;
    bool merge_objects_ = true;
    int32_t up_vector_ = 0;
    float meter_scale_ = 1.0f;
    bool keep_original_ = false;
    bool center_geometry_ = true;
    bool snap_to_ground_ = false;
    bool adjust_camera_ = true;
    bool adjust_environment_ = true;
    std::string use_camera_;
    bool ext_ = true;
};

}  // namespace zyl
