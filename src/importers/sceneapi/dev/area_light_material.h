// The emissive material of mesh lights.
#pragma once

#include <string>

#include "importers/sceneapi/dev/material.h"
#include "importers/sceneapi/dev/sceneapi_oo.h"

namespace zyl {

class AreaLightMaterial : public Material {
  public:
    // White, power 100 (not lumen); shader type "zyl_mesh_light".
    explicit AreaLightMaterial(std::string name);

    // Taken as given: an emitter's colour is not clamped.
    void set_color(float red, float green, float blue) { color_ = {red, green, blue}; }
    // Sets the power and marks it as given in lumen.
    void set_lumen(float lumen);

    const Float3& color() const { return color_; }
    float power() const { return power_; }
    bool lumen() const { return lumen_; }

    // Writes the inline "zyl_mesh_light" shader and assigns it as the surface.
    void write_shaders(zylSceneapi_oo& api) override;

  private:
    Float3 color_{1.0f, 1.0f, 1.0f};
    float power_ = 100.0f;
    bool lumen_ = false;
};

}  // namespace zyl
