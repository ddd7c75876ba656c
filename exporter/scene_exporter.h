// The driver of one transfer: it picks the back end, binds a front end to it, walks the host scene
// and hands every node to the conversion that fits its object. Each conversion reads the state of
// the transfer (times, options, modes, the front end) from here.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>

#include "exporter/light_converter.h"
#include "exporter/material_table.h"
#include "exporter/options.h"
#include "exporter/texture_baking.h"
#include "importers/sceneapi/dev/sceneapi_oo.h"
#include "plugin/host/geometry.h"
#include "plugin/host/interface.h"
#include "plugin/host/interval.h"
#include "plugin/host/node.h"
#include "plugin/host/object.h"

namespace vsf {

// Nodes changed since the last transfer, compared by identity.
using ChangedNodeSet = std::unordered_set<const host::Node*>;

// Bit 0 of the "object" group's flags: the scene is written by layers, not by hierarchy.
constexpr std::uint32_t kLayerModeFlag = 1;

class SceneExporter {
  public:
    // Reads the host's current time, animation range and ticks per frame; a fresh light converter
    // and bake cache, empty scene bounds, no front end. host, root and options must outlive the
    // exporter; options may be edited between exports, never during one.
    SceneExporter(host::Interface& host, host::Node& root, std::shared_ptr<Options> options,
                  ChangedNodeSet changed_nodes);
    ~SceneExporter();
    SceneExporter(const SceneExporter&) = delete;
    SceneExporter& operator=(const SceneExporter&) = delete;

    // Runs one transfer. to_file and not sequence_mode: one scene file at the UTF-8 path (path
    // "-" is standard output). A file that cannot be opened, or a write error found when it is
    // closed (a full disk), throws std::runtime_error; the host is left as it was found. A
    // cancel through the host's progress display ends the walk early and still closes every
    // group, so the file stays well formed. Returns true.
    bool export_scene(const std::string& path, bool update_mode, bool to_file, bool sequence_mode);

    // --- One pass, and the walks it is made of (the front end must be bound) ---

    // Import options, the "object" group with flags (bit 0 added in layer mode), the cameras,
    // then the node tree or the layers; the hair scripts run before and after when hair is on.
    void write_scene(bool adjust_camera, bool adjust_environment, std::uint32_t flags);
    // Tree mode: node's group (when as_group) holding its children's groups, then its own
    // objects and transform. Stops descending when the host reports cancel. True when anything
    // was converted in node's subtree.
    bool walk_tree(host::Node& node, bool as_group);
    // Tree mode: node's own objects (unless hidden), then its transform relative to its parent
    // and, when something was converted, its transform animation. descendants_converted is
    // passed through into the result.
    bool convert_node(host::Node& node, bool descendants_converted);
    // Layer mode: one group per layer holding one group per node of the layer.
    void walk_layers();
    // Layer mode: a visible node's objects and its world transform.
    bool convert_layer_node(host::Node& node);
    // Every camera in node's subtree, depth first, parents first, hidden ones included.
    void convert_cameras(host::Node& node);
    // One camera at the origin looking down -Z, placed by its node's transform (or animation),
    // with the field of view and, when the host camera clips manually, its clipping range. With
    // an environment map recorded it is written as a viewset carrying that map.
    void convert_camera(host::Node& node);
    // The number of the host's system units in one metre.
    double unit_scale();

    // --- The state of the transfer, read by the conversions ---
    host::Interface& host() const { return host_; }
    host::Node& root() const { return root_; }
    const Options& options() const { return *options_; }
    host::TimeValue current_time() const { return current_time_; }
    host::TimeValue anim_start() const { return anim_start_; }
    host::TimeValue anim_end() const { return anim_end_; }
    int ticks_per_frame() const { return ticks_per_frame_; }
    bool update_mode() const { return update_mode_; }
    bool sequence_mode() const { return sequence_mode_; }
    const ChangedNodeSet& changed_nodes() const { return changed_nodes_; }
    // Whether node is in changed_nodes.
    bool is_changed(const host::Node& node) const { return changed_nodes_.count(&node) != 0; }
    // Whether a live update leaves node's own content out (it did not change).
    bool skipped_by_update(const host::Node& node) const {
        return update_mode_ && !is_changed(node);
    }
    // The bound front end; only during a pass (null between passes).
    zyl::zylSceneapi_oo* front_end() const { return front_end_.get(); }
    // Grows with the world box of every mesh and curve converted.
    host::Box3& scene_bounds() { return scene_bounds_; }
    LightConverter& light_converter() { return *light_converter_; }
    // What the material conversion needs from this run: the host and the run's bake cache.
    MaterialContext material_context() { return MaterialContext{host_, bake_cache_}; }
    int progress_total() const { return progress_total_; }
    int progress_count() const { return progress_count_; }

  private:
    // The branches of export_scene. The live link and the frame sequence are built with the
    // live-link and animation-export parts; until then they tell the user they are missing.
    void export_live();
    void export_sequence(const std::string& path);
    // One pass into the scene file at path: factory, front end, write_scene, close. The factory
    // is destroyed before the front end, also when the pass is abandoned by an exception.
    void write_file(const std::string& path, bool adjust_camera, bool adjust_environment);

    // The nodes the coming pass visits: every layer's nodes, or the tree below and with root.
    int count_nodes() const;
    // Counts a visited node and shows it on the host's progress display.
    void report_progress(const host::Node& node);
    // The conversion that fits object, node's object evaluated at time 0 (the conversions
    // evaluate the node again at their own time); deforming_allowed says whether deforming
    // geometry may take the deformable conversion. True when it wrote anything.
    bool convert_object(host::Node& node, host::Object& object, bool deforming_allowed);
    // Writes transform (local or world) and samples its animation when something was converted
    // and the transform's validity does not cover the animation range.
    void write_transform(host::Node& node, const host::Matrix3& transform,
                         const host::Interval& valid, bool converted, bool world);
    // The pre-pass before the cameras, over node's subtree without hidden nodes: records the sky
    // light's environment map, then the world boxes of the meshes and curves into scene_bounds,
    // so that the cameras can carry the environment and its size.
    void record_environment(host::Node& node);
    void record_scene_bounds(host::Node& node);

    host::Interface& host_;
    host::Node& root_;
    std::shared_ptr<Options> options_;
    ChangedNodeSet changed_nodes_;
    std::unique_ptr<zyl::zylSceneapi_oo> front_end_;
    int progress_total_ = 0;
    int progress_count_ = 0;
    host::TimeValue anim_start_ = 0;
    host::TimeValue anim_end_ = 0;
    host::TimeValue current_time_ = 0;
    int ticks_per_frame_ = 1;
    std::unique_ptr<LightConverter> light_converter_;
    BakeCache bake_cache_;
    host::Box3 scene_bounds_;
    bool sequence_mode_ = false;
    bool update_mode_ = false;
};

}  // namespace vsf
