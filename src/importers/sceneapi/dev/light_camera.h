// Cameras: projection, field of view, placement, clipping range, a static transform or a sampled
// animation, and the environment (reflection map) shader written with the camera.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "importers/sceneapi/dev/light_node.h"
#include "importers/sceneapi/dev/sceneapi_oo.h"

namespace zyl {

class Animation;

class LightCamera : public LightNode {
  public:
    // Perspective, 60 degrees, at the origin looking down -Z with up +Y, no clipping range, no
    // transform, no animation.
    explicit LightCamera(std::string name);

    void set_position(float x, float y, float z) { position_ = {x, y, z}; }
    void set_direction(float x, float y, float z) { direction_ = {x, y, z}; }
    void set_up(float x, float y, float z) { up_ = {x, y, z}; }
    // Field of view in degrees.
    void set_fov(float degrees);
    // Written only when 0 < near < far.
    void set_clipping(float near_distance, float far_distance);
    // A static transform, written when the camera has no animation.
    void set_transform(const Matrix4d& matrix);
    // A sampled animation (may be empty); it takes the place of the static transform.
    void set_animation(std::shared_ptr<Animation> animation) { animation_ = std::move(animation); }

    const std::string& name() const { return name_; }
    const Double3& position() const { return position_; }
    const Double3& direction() const { return direction_; }
    const Double3& up() const { return up_; }
    float fov() const { return fov_; }
    float near_clip() const { return near_; }
    float far_clip() const { return far_; }
    bool has_transform() const { return has_transform_; }
    const Matrix4d& transform() const { return transform_; }
    const std::shared_ptr<Animation>& animation() const { return animation_; }

    // Writes the camera section with its environment shader and its transform or animation.
    void emit(zylSceneapi_oo& api) override;
    // Cameras are never defined: does nothing.
    void define(zylSceneapi_oo& api) override;
    bool is_defined() const override { return false; }

    // Writes the environment shader as an anonymous shader and returns its capture buffer, which
    // stays valid for the life of the back end. The default is the renderer's start-up image.
    virtual ShaderBlob* environment_shader(zylSceneapi_oo& api);

  protected:
    // The projection (1 orthographic, anything else perspective), the four-value field of view
    // (used with fov mode 1; mode 0 writes "fov", others neither) and an explicit look-at point.
    void set_projection(int32_t projection) { projection_ = projection; }
    void set_fov4(const std::array<float, 4>& fov4);
    void set_look_at(double x, double y, double z);

  private:
    std::string name_;
    Double3 position_{0.0, 0.0, 0.0};
    Double3 direction_{0.0, 0.0, -1.0};
    Double3 look_at_{0.0, 0.0, -1.0};
    Double3 up_{0.0, 1.0, 0.0};
    float fov_ = 60.0f;
    std::array<float, 4> fov4_{};
    float near_ = -1.0f;
    float far_ = -1.0f;
    std::shared_ptr<Animation> animation_;
    bool has_transform_ = false;
    bool has_look_at_ = false;
    Matrix4d transform_{};
    int32_t projection_ = 0;
    int32_t fov_mode_ = 0;
};

// A camera that also carries the scene's environment image and its size.
class LightViewset : public LightCamera {
  public:
    LightViewset(std::string name, std::string environment_texture, int32_t radius);

    const std::string& environment_texture() const { return environment_texture_; }
    int32_t radius() const { return radius_; }

    // Writes a "zyl_envmap" of the environment image, then the camera's "flags" 16 (which thus
    // precedes the "reflection map" parameter in the camera section).
    ShaderBlob* environment_shader(zylSceneapi_oo& api) override;

  private:
    std::string environment_texture_;
    int32_t radius_;
};

}  // namespace zyl
