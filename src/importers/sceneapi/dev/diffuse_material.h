// A plain coloured material: the default material of every mesh and the material of curves of a
// single colour. Its shader is written inline, as an anonymous shader.
#pragma once

#include <string>

#include "importers/sceneapi/dev/material.h"
#include "importers/sceneapi/dev/sceneapi_oo.h"

namespace zyl {

class Diffuse : public Material {
  public:
    // Colour 0.75, 0.5, 0.5; shader type "zyl_diffuse".
    explicit Diffuse(std::string name);

    // Each channel is clamped to [0, 1].
    void set_color(float red, float green, float blue);
    // True colours the surface with the geometry's vertex colours (default 0.8 grey where none).
    void set_vertex_color(bool on) { vertex_color_ = on; }

    const Float3& color() const { return color_; }
    bool vertex_color() const { return vertex_color_; }

    void write_shaders(zylSceneapi_oo& api) override;

  private:
    Float3 color_{0.75f, 0.5f, 0.5f};
    bool vertex_color_ = false;
};

}  // namespace zyl
