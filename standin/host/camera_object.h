// Cameras of the stand-in scene. A camera looks down its own -z axis; the node places it.
#pragma once

#include "plugin/host/class_id.h"
#include "standin/host/object_base.h"

namespace standin {

constexpr host::ClassId kFreeCameraClassId{0x1001, 0};
constexpr host::ClassId kTargetCameraClassId{0x1002, 0};

struct CameraSettings {
    float fov = 0.785398163f;  // horizontal field of view, radians (45 degrees)
    bool orthographic = false;
    float target_distance = 100.0f;
    bool manual_clip = false;
    float near_clip = 1.0f;
    float far_clip = 1000.0f;
    bool targeted = false;  // class kTargetCameraClassId instead of kFreeCameraClassId
};

class CameraObject : public ObjectImpl<host::CameraObject> {
  public:
    explicit CameraObject(CameraSettings settings)
        : ObjectImpl(host::kCameraSuperClass,
                     settings.targeted ? kTargetCameraClassId : kFreeCameraClassId),
          settings_(settings) {}

    const CameraSettings& settings() const { return settings_; }
    void set_settings(const CameraSettings& settings) { settings_ = settings; }

    bool eval_camera_state(host::TimeValue, host::Interval&, host::CameraState& state) override {
        state.is_ortho = settings_.orthographic;
        state.fov = settings_.fov;
        state.tdist = settings_.target_distance;
        state.manual_clip = settings_.manual_clip;
        state.hither = settings_.near_clip;
        state.yon = settings_.far_clip;
        return true;
    }

  private:
    CameraSettings settings_;
};

}  // namespace standin
