// Cameras stand directly inside the "object" group, before every node group: each looks down its
// own -Z axis from the origin with up +Y, and its node's transform (or animation) places it.
#include <cstdint>
#include <memory>

#include "exporter/animation_sampling.h"
#include "exporter/narrow_text.h"
#include "exporter/row_matrix.h"
#include "exporter/scene_exporter.h"
#include "importers/sceneapi/dev/animation.h"
#include "importers/sceneapi/dev/light_camera.h"
#include "plugin/host/class_id.h"
#include "plugin/host/object.h"

namespace vsf {

namespace {

// Manual clipping is passed on only beyond this near distance.
constexpr float kMinManualNearClip = 1.0f;

// The environment's size: four times the length of the scene's diagonal.
std::int32_t environment_radius(const host::Box3& bounds) {
    return 4 * static_cast<std::int32_t>(host::length(bounds.width()));
}

}  // namespace

void SceneExporter::convert_cameras(host::Node& node) {
    host::Object* object = node.eval_world_state(0);
    if (object && object->super_class_id() == host::kCameraSuperClass) {
        convert_camera(node);
    }
    for (int i = 0; i < node.child_count(); ++i) {
        if (host::Node* child = node.child(i)) {
            convert_cameras(*child);
        }
    }
}

void SceneExporter::convert_camera(host::Node& node) {
    host::Object* object = node.eval_world_state(anim_start_);
    host::CameraObject* camera_object = object ? object->as_camera_object() : nullptr;
    if (!camera_object) {
        return;
    }
    host::Interval state_valid = host::Interval::forever();
    host::CameraState state;
    camera_object->eval_camera_state(current_time_, state_valid, state);

    const std::string name = narrow_text(node.name());
    const std::string& environment = light_converter_->environment_map_path();
    std::shared_ptr<zyl::LightCamera> camera =
        environment.empty() ? std::make_shared<zyl::LightCamera>(name)
                            : std::make_shared<zyl::LightViewset>(
                                  name, environment, environment_radius(scene_bounds_));

    host::Interval valid = host::Interval::forever();
    host::Matrix3 transform = node.node_tm(current_time_, &valid);
    const bool animated = options_->camera_animations && !valid.covers(anim_start_, anim_end_);
    std::shared_ptr<zyl::FBXAnimation> animation =
        animated ? sample_camera_animation(*this, node) : nullptr;
    if (!animation) {
        // Static, or no animation could be sampled: the transform places the camera.
        transform.orthogonalize();
        camera->set_transform(row_matrix(transform));
    }
    camera->set_direction(0.0f, 0.0f, -1.0f);
    camera->set_up(0.0f, 1.0f, 0.0f);
    camera->set_position(0.0f, 0.0f, 0.0f);
    camera->set_fov(state.fov * 180.0f / 3.1415927f);
    if (state.hither > kMinManualNearClip && state.manual_clip) {
        camera->set_clipping(state.hither, state.yon);
    }
    if (animation) {
        camera->set_animation(animation);
    }
    front_end_->emit(*camera);
}

}  // namespace vsf
