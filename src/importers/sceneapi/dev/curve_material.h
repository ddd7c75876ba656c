// The material of hair whose root and tip colours differ: a diffuse shader over a randomiser that
// varies hue and brightness along the curves.
#pragma once

#include <string>

#include "importers/sceneapi/dev/material.h"
#include "importers/sceneapi/dev/sceneapi_oo.h"

namespace zyl {

class CurveMaterial : public Material {
  public:
    // Colour 0.75, 0.5, 0.5, no vertex colour, hue and value variation 0.1.
    explicit CurveMaterial(std::string name);

    // True takes the base colour from the curves' per-point colours.
    void set_vertex_color(bool on) { vertex_color_ = on; }
    // Hue and brightness variation; any value is taken as given.
    void set_hue(float hue) { hue_ = hue; }
    void set_value(float value) { value_ = value; }

    const Float3& color() const { return color_; }
    bool vertex_color() const { return vertex_color_; }
    float hue() const { return hue_; }
    float value() const { return value_; }

    // Writes three numbered shaders (vertex colour, randomiser, diffuse) and assigns the last.
    void write_shaders(zylSceneapi_oo& api) override;

  private:
    Float3 color_{0.75f, 0.5f, 0.5f};
    bool vertex_color_ = false;
    float value_ = 0.1f;
    float hue_ = 0.1f;
};

}  // namespace zyl
