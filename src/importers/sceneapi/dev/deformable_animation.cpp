#include "importers/sceneapi/dev/deformable_animation.h"

#include <utility>

namespace zyl {

DeformableAnimation::DeformableAnimation(std::string name, float start_time, float duration)
    : name_(std::move(name)), start_time_(start_time), duration_(duration) {}

void DeformableAnimation::add_frame(std::shared_ptr<LightGeometry> geometry, int32_t frame) {
    if (geometry) {
        frames_.push_back({std::move(geometry), frame});
    }
}

void DeformableAnimation::emit(zylSceneapi_oo& api) {
    zylScene_api* out = api.api();
    api.begin_group(name_);
    api.set_flags(flags_);
    out->begin_animation("deformable", (name_ + "_deformable").c_str());
    out->param("start_time", VT_FLOAT, &start_time_);
    out->param("duration", VT_FLOAT, &duration_);
    out->param("duration_org", VT_FLOAT, &duration_);
    api.param("timestamps", timestamps_);
    out->end_animation();
    for (const Frame& frame : frames_) {
        frame.geometry->set_name("zyl_deform_" + std::to_string(frame.number));
        frame.geometry->set_material(material_);
        api.emit(*frame.geometry);
    }
    api.end_group();
}

}  // namespace zyl
