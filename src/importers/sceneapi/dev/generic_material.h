// The material that the host's surface materials are converted into: diffuse or plastic, with
// optional diffuse, specular, bump and opacity textures, written as a chain of numbered shaders.
#pragma once

#include <array>
#include <string>

#include "importers/sceneapi/dev/material.h"
#include "importers/sceneapi/dev/sceneapi_oo.h"

namespace zyl {

class GenericMaterial : public Material {
  public:
    // Diffuse colour 0.75, 0.5, 0.5, no specular colour, no textures, bump height 0.1:
    // shader type "zyl_diffuse".
    explicit GenericMaterial(std::string name);

    // Each channel is clamped to [0, 1].
    void set_diffuse_color(float red, float green, float blue);
    // Clamped; any specular colour, black included, makes the material "zyl_plastic_simple".
    void set_specular_color(float red, float green, float blue);
    // Texture file paths, written unchanged; an empty path means no texture. A non-empty
    // specular texture makes the material "zyl_plastic_simple".
    void set_diffuse_texture(const std::string& path) { diffuse_texture_ = path; }
    void set_specular_texture(const std::string& path);
    void set_bump_texture(const std::string& path) { bump_texture_ = path; }
    void set_opacity_texture(const std::string& path) { opacity_texture_ = path; }
    void set_bump_height(float height) { bump_height_ = height; }

    const Float3& diffuse_color() const { return diffuse_color_; }
    const Float3& specular_color() const { return specular_color_; }
    bool has_specular() const { return has_specular_; }
    const std::string& diffuse_texture() const { return diffuse_texture_; }
    const std::string& specular_texture() const { return specular_texture_; }
    const std::string& bump_texture() const { return bump_texture_; }
    const std::string& opacity_texture() const { return opacity_texture_; }
    float bump_height() const { return bump_height_; }

    // Writes the base shader (diffuse or plastic), then the bump and opacity layers that have a
    // texture, and assigns the outermost as the surface.
    void write_shaders(zylSceneapi_oo& api) override;

  private:
    // One texture's u and v repeat factors.
    struct TextureScale {
        float u = 1.0f;
        float v = 1.0f;
    };
    enum TextureSlot { kDiffuseSlot, kSpecularSlot, kBumpSlot, kOpacitySlot, kSlotCount };

    // Plastic when a specular colour or a specular texture is given, diffuse otherwise.
    void choose_shader_type();

    Float3 diffuse_color_{0.75f, 0.5f, 0.5f};
    Float3 specular_color_{0.0f, 0.0f, 0.0f};
    bool has_specular_ = false;
    std::string diffuse_texture_;
    std::string specular_texture_;
    std::string bump_texture_;
    std::string opacity_texture_;
    std::array<TextureScale, kSlotCount> scales_{};
    float bump_height_ = 0.1f;
    float roughness_ = 0.0f;
};

}  // namespace zyl
