// The stand-in host: an in-memory scene that implements the host abstraction, with a small
// builder API for tests, scene readers and the command-line driver.
//
//   standin::Scene scene;
//   standin::Node& box = scene.add_mesh_node(u"Box", standin::make_box_mesh({1, 1, 1}));
//   box.set_transform(host::Matrix3::translation({0, 0, 5}));
//   box.add_position_key(0, {0, 0, 0});
//   box.add_position_key(3200, {10, 0, 0});
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "plugin/host/interface.h"
#include "standin/host/camera_object.h"
#include "standin/host/helper_objects.h"
#include "standin/host/layers.h"
#include "standin/host/light_objects.h"
#include "standin/host/materials.h"
#include "standin/host/mesh_object.h"
#include "standin/host/mesh_tools.h"
#include "standin/host/node.h"
#include "standin/host/node_event.h"
#include "standin/host/shape_object.h"
#include "standin/host/texmaps.h"

namespace standin {

// What the host's progress display was asked to do.
struct ProgressEvent {
    enum class Kind { start, update, end };
    Kind kind = Kind::start;
    std::u16string title;
    int percent = 0;
    bool show_bar = false;      // start
    bool show_percent = false;  // update
};

struct SaveDialogRequest {
    host::WindowHandle parent = nullptr;
    std::u16string title;
    std::u16string file_name;
    std::u16string initial_dir;
    std::vector<std::u16string> filters;
};

struct MessageBoxRecord {
    std::u16string text;
    std::u16string caption;
    unsigned flags = 0;
};

class Scene : public host::Interface {
  public:
    // An empty scene: the root node, the default layer "0", range 0 to 100 frames at 160 ticks per
    // frame, current time 0, metres.
    Scene();
    ~Scene() override;
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // --- Nodes ---
    // Every add_* creates a node under parent (null: the root), in the current layer, and
    // delivers Added. Names need not be unique.
    Node& root() { return *root_; }
    Node& add_node(std::u16string name, std::unique_ptr<SceneObject> object,
                   Node* parent = nullptr);
    // An editable mesh (class (9, 0)). Throws std::invalid_argument for an inconsistent mesh.
    Node& add_mesh_node(std::u16string name, host::Mesh mesh, Node* parent = nullptr);
    // Geometry of another class (bones, primitives, ...), converted to a mesh as a temporary.
    Node& add_geometry_node(std::u16string name, host::Mesh mesh, host::ClassId cid,
                            Node* parent = nullptr);
    Node& add_helper_node(std::u16string name, Node* parent = nullptr);
    Node& add_target_node(std::u16string name, Node* parent = nullptr);
    Node& add_camera_node(std::u16string name, const CameraSettings& settings,
                          Node* parent = nullptr);
    Node& add_standard_light_node(std::u16string name, const StandardLightSettings& settings,
                                  Node* parent = nullptr);
    Node& add_photometric_light_node(std::u16string name, PhotometricLightSettings settings,
                                     Node* parent = nullptr);
    Node& add_sky_light_node(std::u16string name, const SkyLightSettings& settings,
                             Node* parent = nullptr);
    Node& add_shape_node(std::u16string name, ShapeSettings settings, Node* parent = nullptr);
    // Delivers Deleted, then removes the node from the scene; its children move to its parent
    // (LinkChanged). The Node stays allocated (its identity is not reused) but holds no object.
    // The root cannot be deleted (std::invalid_argument).
    void delete_node(Node& node);
    // Every live node except the root, in creation order.
    std::vector<Node*> nodes() const;
    // The first live node of that name, or null.
    Node* find_node(const std::u16string& name) const;

    // --- Materials and maps (owned by the scene; edits of a material deliver
    // MaterialOtherEvent for the nodes that use it directly or as a sub-material) ---
    StandardMaterial& add_standard_material(std::u16string name);
    MultiMaterial& add_multi_material(std::u16string name, int count);
    ParamMaterial& add_param_material(std::u16string name, host::ClassId cid);
    BitmapTexture& add_bitmap_texture(std::u16string name, std::u16string file);
    CheckerMap& add_checker_map(std::u16string name);
    GradientMap& add_gradient_map(std::u16string name);
    NoiseMap& add_noise_map(std::u16string name);

    // --- Layers ---
    LayerManager& layers() { return layers_; }
    Layer& default_layer() { return *layers_.at(0); }
    Layer& add_layer(std::u16string name) { return layers_.add(std::move(name)); }
    // The layer that new nodes join (the default layer at first).
    void set_current_layer(Layer& layer) { current_layer_ = &layer; }

    // --- Time and units ---
    void set_animation_range(host::TimeValue start, host::TimeValue end);
    void set_ticks_per_frame(int ticks) { ticks_per_frame_ = ticks; }
    void set_system_unit_type(int type) { unit_type_ = type; }

    // --- The host's displays and dialogs, as the caller sees them ---
    // Receives every progress call; it may call set_cancel to act as the user. The cancel flag
    // stays as it is set (also across progress displays) until set_cancel(false).
    void set_progress_listener(std::function<void(const ProgressEvent&)> listener) {
        progress_listener_ = std::move(listener);
    }
    bool progress_open() const { return progress_open_; }
    // How the user answers every later save dialog: a file name, or nothing to cancel
    // (the default).
    void answer_save_dialog(std::optional<std::u16string> file_name) {
        save_answer_ = std::move(file_name);
    }
    const std::vector<SaveDialogRequest>& save_dialog_requests() const { return save_requests_; }
    const std::vector<MessageBoxRecord>& message_boxes() const { return message_boxes_; }
    void set_dir(int which, std::u16string folder) { dirs_[which] = std::move(folder); }
    void add_asset_folder(host::AssetType type, std::u16string folder) {
        asset_folders_[type].push_back(std::move(folder));
    }
    // Every script text run, in order, and the error text of each script that failed.
    const std::vector<std::u16string>& scripts_run() const { return scripts_run_; }
    const std::vector<std::u16string>& script_errors() const { return script_errors_; }

    // --- Node events ---
    // Delivers an event about one node to every registered callback.
    void notify(NodeEvent kind, const Node& node);
    // Delivers an event with any keys (also keys that name no node) to every registered callback.
    void send_node_event(NodeEvent kind, const host::NodeKeyTab& keys);
    // The number of temporaries made by conversions and not yet disposed of.
    int live_temporaries() const { return *temporaries_; }

    // --- host::Interface ---
    host::Node* root_node() override { return root_; }
    host::TimeValue current_time() override { return current_time_; }
    void set_current_time(host::TimeValue t, bool redraw) override;
    host::Interval animation_range() override { return range_; }
    int ticks_per_frame() override { return ticks_per_frame_; }
    int system_unit_type() override { return unit_type_; }
    void progress_start(const std::u16string& title, bool show_bar) override;
    void progress_update(int percent, bool show_percent, const std::u16string& title) override;
    void progress_end() override;
    bool get_cancel() override { return cancel_; }
    void set_cancel(bool cancel) override { cancel_ = cancel; }
    host::WindowHandle main_window() override { return &main_window_; }
    bool save_as_dialog(host::WindowHandle parent, const std::u16string& title,
                        std::u16string& file_name, std::u16string& initial_dir,
                        const std::vector<std::u16string>& filters) override;
    void message_box(const std::u16string& text, const std::u16string& caption,
                     unsigned flags) override;
    std::u16string get_dir(int which) override;
    int asset_folder_count(host::AssetType type) override;
    std::u16string asset_folder(host::AssetType type, int index) override;
    // An absolute path stays as it is; a relative one is looked up in the asset folders of its
    // type, then made absolute against the working folder when no folder holds it.
    std::u16string resolve_asset_path(const std::u16string& path, host::AssetType type) override;
    // UTF-8.
    std::string wide_to_multibyte(const std::u16string& text) override;
    // Runs the two hair scripts (recognised by their text, blanks at line ends and empty lines
    // aside); any other script fails with an error (shown as a message box unless quiet_errors).
    bool execute_script(const std::u16string& script, bool quiet_errors) override;
    host::LayerManager* layer_manager() override { return &layers_; }
    host::CallbackKey register_node_event_callback(host::INodeEventCallback& callback, bool polling,
                                                   unsigned delay_ms,
                                                   bool initially_dirty) override;
    void unregister_node_event_callback(host::CallbackKey key) override;
    host::Node* node_by_key(host::NodeKey key) override;
    std::unique_ptr<host::Bitmap> create_bitmap(const host::BitmapInfo& info) override;

  private:
    friend class Node;
    void link(Node& node, Node* parent);
    void move_to_layer(Node& node, Layer& layer);
    void material_edited(const host::Material& material);
    void deliver(NodeEvent kind, const host::NodeKeyTab& keys);
    host::NodeKey next_handle() { return next_handle_++; }
    MaterialEdited edit_listener();

    host::NodeKey next_handle_ = 1;
    TemporaryCounter temporaries_ = std::make_shared<int>(0);
    std::vector<std::unique_ptr<Node>> nodes_;  // creation order; root first
    std::vector<std::unique_ptr<Node>> deleted_;
    std::unordered_map<host::NodeKey, Node*> by_handle_;
    Node* root_ = nullptr;
    std::vector<std::unique_ptr<host::Material>> materials_;
    std::vector<std::unique_ptr<host::Texmap>> texmaps_;
    LayerManager layers_;
    Layer* current_layer_ = nullptr;

    host::TimeValue current_time_ = 0;
    host::Interval range_{0, 100 * 160};
    int ticks_per_frame_ = 160;
    int unit_type_ = host::kUnitMeters;

    std::function<void(const ProgressEvent&)> progress_listener_;
    bool progress_open_ = false;
    bool cancel_ = false;
    char main_window_ = 0;
    std::optional<std::u16string> save_answer_;
    std::vector<SaveDialogRequest> save_requests_;
    std::vector<MessageBoxRecord> message_boxes_;
    std::map<int, std::u16string> dirs_;
    std::map<int, std::vector<std::u16string>> asset_folders_;
    std::vector<std::u16string> scripts_run_;
    std::vector<std::u16string> script_errors_;

    host::CallbackKey next_callback_key_ = 1;
    std::vector<std::pair<host::CallbackKey, host::INodeEventCallback*>> callbacks_;
};

}  // namespace standin
