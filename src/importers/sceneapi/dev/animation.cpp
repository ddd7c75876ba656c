#include "importers/sceneapi/dev/animation.h"

#include <utility>

namespace zyl {

FBXAnimation::FBXAnimation(std::string name, float start_time, float duration, bool interpolate)
    : name_(std::move(name)),
      start_time_(start_time),
      duration_(duration),
      interpolate_(interpolate) {}

void FBXAnimation::add_key(int32_t time_ms, const Matrix4d& matrix) {
    timestamps_.push_back(time_ms);
    matrices_.push_back(matrix);
}

void FBXAnimation::emit(zylSceneapi_oo& api) {
    zylScene_api* out = api.api();
    out->begin_animation("fbx_animation", name_.c_str());
    api.param("start_time", start_time_);
    api.param("duration", duration_);
    if (timestamps_.size() != matrices_.size()) {
        api.error("Number of timestamps(" + std::to_string(timestamps_.size()) +
                  ") does not match number of matrices(" + std::to_string(matrices_.size()) + ")");
    }
    api.param("timestamps", timestamps_);
    api.param("matrices", matrices_);
    api.param("interpolate", interpolate_);
    api.param("folder", folder_);
    out->end_animation();
}

}  // namespace zyl
