// One pass of the exporter: the statements reach the back end in a fixed order: import options,
// the "object" group with its flags, the cameras, the nodes, the end of the group.
#include "exporter/hair_scripts.h"
#include "exporter/scene_exporter.h"
#include "importers/sceneapi/dev/light_module.h"
#include "plugin/host/class_id.h"
#include "plugin/host/object.h"

namespace vsf {

namespace {

// The import options every pass writes first: the renderer merges objects but keeps the groups,
// keeps the scene where it is, takes Z as up and learns the scene's unit.
void write_import_options(zyl::zylSceneapi_oo& api, double meter_scale, bool adjust_camera,
                          bool adjust_environment) {
    zyl::DefaultRTModule module;
    module.set_import_mode(true);
    module.set_merge_groups(false);
    module.set_merge_objects(true);
    module.set_adjust_environment(adjust_environment);
    module.set_adjust_camera(adjust_camera);
    module.set_center_geometry(false);
    module.set_keep_original(true);
    module.set_up_vector(2);
    module.set_meter_scale(static_cast<float>(meter_scale));
    module.set_ext(false);
    api.emit(module);
}

}  // namespace

void SceneExporter::write_scene(bool adjust_camera, bool adjust_environment, std::uint32_t flags) {
    zyl::zylSceneapi_oo& api = *front_end_;
    progress_count_ = 0;
    const bool hair = options_->hair_and_fur;
    if (hair) {
        host_.execute_script(hair_conversion_script(), false);
    }
    try {
        write_import_options(api, unit_scale(), adjust_camera, adjust_environment);
        api.begin_group("object");
        api.set_flags(options_->layers ? flags | kLayerModeFlag : flags);
        if (options_->cameras) {
            // Cameras come before every node group, yet carry the sky light's environment
            // image: a pre-pass finds it, and the bounds that size it.
            record_environment(root_);
            if (!light_converter_->environment_map_path().empty()) {
                record_scene_bounds(root_);
            }
            convert_cameras(root_);
        }
        if (options_->layers) {
            walk_layers();
        } else {
            walk_tree(root_, false);
        }
        api.end_group();
    } catch (...) {
        // The temporary hair shapes are part of the user's scene: take them out again even when
        // the pass is abandoned.
        if (hair) {
            host_.execute_script(hair_clean_up_script(), false);
        }
        throw;
    }
    if (hair) {
        host_.execute_script(hair_clean_up_script(), false);
    }
}

void SceneExporter::record_environment(host::Node& node) {
    if (!node.is_hidden_for_render()) {
        host::Object* object = node.eval_world_state(current_time_);
        if (object && object->super_class_id() == host::kLightSuperClass) {
            light_converter_->record_environment(node, current_time_);
        }
    }
    for (int i = 0; i < node.child_count(); ++i) {
        if (host::Node* child = node.child(i)) {
            record_environment(*child);
        }
    }
}

void SceneExporter::record_scene_bounds(host::Node& node) {
    if (!node.is_hidden_for_render()) {
        if (host::Object* object = node.eval_world_state(current_time_)) {
            const host::SClassId super_class = object->super_class_id();
            if ((super_class == host::kGeomObjectSuperClass &&
                 object->class_id() != host::kTargetClassId) ||
                super_class == host::kShapeSuperClass) {
                scene_bounds_ += object->world_bound_box(current_time_, node);
            }
        }
    }
    for (int i = 0; i < node.child_count(); ++i) {
        if (host::Node* child = node.child(i)) {
            record_scene_bounds(*child);
        }
    }
}

}  // namespace vsf
