// Sampled animations: the base by which a camera holds its animation, and the transform animation
// (time-stamped 4x4 matrices) of a moving node or camera.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "importers/sceneapi/dev/light_node.h"
#include "importers/sceneapi/dev/sceneapi_oo.h"

namespace zyl {

class Animation : public LightNode {
  public:
    // Animations are written where they stand, never defined.
    void define(zylSceneapi_oo& /*api*/) override {}
    bool is_defined() const override { return false; }
};

// One transform per time stamp; written inside the camera or the node group that it moves.
class FBXAnimation : public Animation {
  public:
    // Times in seconds.
    FBXAnimation(std::string name, float start_time, float duration, bool interpolate = true);

    // Appends a key: time in milliseconds and its transform.
    void add_key(int32_t time_ms, const Matrix4d& matrix);

    const std::string& name() const { return name_; }
    float start_time() const { return start_time_; }
    float duration() const { return duration_; }
    bool interpolate() const { return interpolate_; }
    // The keys' arrays, for bulk filling; they should stay of equal length.
    std::vector<int32_t>& timestamps() { return timestamps_; }
    std::vector<Matrix4d>& matrices() { return matrices_; }
    const std::vector<int32_t>& timestamps() const { return timestamps_; }
    const std::vector<Matrix4d>& matrices() const { return matrices_; }

    // Writes an "fbx_animation" block. Arrays of different lengths are reported as an #error line
    // and then written as they are.
    void emit(zylSceneapi_oo& api) override;

  private:
    std::string name_;
    std::string folder_;
    float start_time_;
    float duration_;
    std::vector<int32_t> timestamps_;
    std::vector<Matrix4d> matrices_;
    bool interpolate_;
};

}  // namespace zyl
