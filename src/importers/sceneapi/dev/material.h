// The base of every material: a named block that assigns a shader network to the surfaces of the
// object that holds it. Written inside the object block in place, or once as a definition that
// later emits refer to by name.
#pragma once

#include <cstdint>
#include <string>

#include "importers/sceneapi/dev/light_node.h"

namespace zyl {

// The shader flags every material sets after its surface assignment.
constexpr uint32_t kMaterialShaderFlags = 4096;

class Material : public LightNode {
  public:
    // `shader_type` is the type name of the material's main shader.
    Material(std::string name, std::string shader_type);

    // Writes the material block in place, or only a reference line once it has been defined.
    void emit(zylSceneapi_oo& api) override;
    // Writes the material as a definition ("#define material") and marks it defined.
    void define(zylSceneapi_oo& api) override;
    bool is_defined() const override { return defined_; }

    // Writes the shaders and the surface assignment inside the open material block.
    virtual void write_shaders(zylSceneapi_oo& api) = 0;

    const std::string& shader_type() const { return shader_type_; }
    void set_shader_type(const std::string& type) { shader_type_ = type; }
    const std::string& name() const { return name_; }

  private:
    bool defined_ = false;
    std::string name_;
    std::string shader_type_;
};

// Clamps one colour channel to [0, 1]; a value that is not a number becomes 0, so a colour that
// passed through a clamping setter is always a valid colour.
float clamp_unit(float value);

}  // namespace zyl
