#include "exporter/scene_exporter.h"

#include <utility>
#include <vector>

#include "importers/sceneapi/dev/light_file_factory.h"
#include "plugin/host/layer_manager.h"

namespace vsf {

namespace {

int count_subtree(const host::Node& node) {
    int count = 1;
    for (int i = 0; i < node.child_count(); ++i) {
        if (const host::Node* child = node.child(i)) {
            count += count_subtree(*child);
        }
    }
    return count;
}

}  // namespace

SceneExporter::SceneExporter(host::Interface& host, host::Node& root,
                             std::shared_ptr<Options> options, ChangedNodeSet changed_nodes)
    : host_(host),
      root_(root),
      options_(std::move(options)),
      changed_nodes_(std::move(changed_nodes)),
      light_converter_(std::make_unique<LightConverter>(options_, host)) {
    const host::Interval range = host_.animation_range();
    anim_start_ = range.start();
    anim_end_ = range.end();
    current_time_ = host_.current_time();
    ticks_per_frame_ = host_.ticks_per_frame();
}

SceneExporter::~SceneExporter() = default;

bool SceneExporter::export_scene(const std::string& path, bool update_mode, bool to_file,
                                 bool sequence_mode) {
    sequence_mode_ = sequence_mode;
    update_mode_ = update_mode;
    progress_total_ = 0;
    progress_total_ = count_nodes();
    if (!to_file) {
        export_live();
    } else if (sequence_mode) {
        export_sequence(path);
    } else {
        write_file(path, true, true);
    }
    return true;
}

void SceneExporter::write_file(const std::string& path, bool adjust_camera,
                               bool adjust_environment) {
    // Declared before the factory so that it is destroyed after it, whichever way we leave.
    struct FrontEndRelease {
        std::unique_ptr<zyl::zylSceneapi_oo>& front_end;
        ~FrontEndRelease() { front_end.reset(); }
    } release{front_end_};
    zyl::LightFileFactory factory(path);
    front_end_ = std::make_unique<zyl::zylSceneapi_oo>(&factory);
    write_scene(adjust_camera, adjust_environment, 0);
    // Closing here, not in the destructor, lets a write error found at close reach the caller.
    factory.close();
}

int SceneExporter::count_nodes() const {
    if (!options_->layers) {
        return count_subtree(root_);
    }
    host::LayerManager* layers = host_.layer_manager();
    int count = 0;
    std::vector<host::Node*> nodes;
    for (int i = 0; layers && i < layers->layer_count(); ++i) {
        if (const host::Layer* layer = layers->layer(i)) {
            layer->nodes(nodes);
            count += static_cast<int>(nodes.size());
        }
    }
    return count;
}

void SceneExporter::report_progress(const host::Node& node) {
    ++progress_count_;
    const float fraction = progress_total_ > 0 ? static_cast<float>(progress_count_) /
                                                     static_cast<float>(progress_total_)
                                               : 0.0f;
    host_.progress_update(static_cast<int>(fraction * 100.0f), false, node.name());
}

}  // namespace vsf
