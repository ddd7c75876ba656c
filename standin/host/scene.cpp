#include "standin/host/scene.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "platform/utf.h"
#include "standin/host/hair_scripts.h"

namespace standin {

namespace {

bool is_absolute_path(const std::u16string& p) {
    if (!p.empty() && (p[0] == u'/' || p[0] == u'\\')) {
        return true;
    }
    // A drive letter, as in C:\ or C:/.
    return p.size() >= 3 && p[1] == u':' && (p[2] == u'\\' || p[2] == u'/');
}

}  // namespace

Scene::Scene() {
    auto root = std::make_unique<Node>(*this, next_handle(), u"Scene Root", nullptr);
    root_ = root.get();
    by_handle_[root_->handle()] = root_;
    nodes_.push_back(std::move(root));
    current_layer_ = &layers_.add(u"0");
}

Scene::~Scene() = default;

Node& Scene::add_node(std::u16string name, std::unique_ptr<SceneObject> object, Node* parent) {
    auto node = std::make_unique<Node>(*this, next_handle(), std::move(name), std::move(object));
    Node& n = *node;
    nodes_.push_back(std::move(node));
    by_handle_[n.handle()] = &n;
    Node* p = parent != nullptr ? parent : root_;
    n.parent_ = p;
    p->children_.push_back(&n);
    n.layer_ = current_layer_;
    current_layer_->members_.push_back(&n);
    notify(NodeEvent::Added, n);
    return n;
}

Node& Scene::add_mesh_node(std::u16string name, host::Mesh mesh, Node* parent) {
    return add_geometry_node(std::move(name), std::move(mesh), host::kTriObjectClassId, parent);
}

Node& Scene::add_geometry_node(std::u16string name, host::Mesh mesh, host::ClassId cid,
                               Node* parent) {
    return add_node(std::move(name),
                    std::make_unique<MeshObject>(std::move(mesh), cid, temporaries_), parent);
}

Node& Scene::add_helper_node(std::u16string name, Node* parent) {
    return add_node(std::move(name), std::make_unique<HelperObject>(), parent);
}

Node& Scene::add_target_node(std::u16string name, Node* parent) {
    return add_node(std::move(name), std::make_unique<TargetObject>(), parent);
}

Node& Scene::add_camera_node(std::u16string name, const CameraSettings& settings, Node* parent) {
    return add_node(std::move(name), std::make_unique<CameraObject>(settings), parent);
}

Node& Scene::add_standard_light_node(std::u16string name, const StandardLightSettings& settings,
                                     Node* parent) {
    return add_node(std::move(name), std::make_unique<StandardLight>(settings), parent);
}

Node& Scene::add_photometric_light_node(std::u16string name, PhotometricLightSettings settings,
                                        Node* parent) {
    return add_node(std::move(name), std::make_unique<PhotometricLightObject>(std::move(settings)),
                    parent);
}

Node& Scene::add_sky_light_node(std::u16string name, const SkyLightSettings& settings,
                                Node* parent) {
    return add_node(std::move(name), std::make_unique<SkyLightObject>(settings), parent);
}

Node& Scene::add_shape_node(std::u16string name, ShapeSettings settings, Node* parent) {
    return add_node(std::move(name),
                    std::make_unique<SplineShapeObject>(std::move(settings), temporaries_), parent);
}

void Scene::delete_node(Node& node) {
    if (&node == root_) {
        throw std::invalid_argument("the root node cannot be deleted");
    }
    notify(NodeEvent::Deleted, node);
    Node* parent = node.parent_;
    // The children move to the deleted node's parent, in their order.
    const std::vector<Node*> children = node.children_;
    for (Node* child : children) {
        link(*child, parent);
        notify(NodeEvent::LinkChanged, *child);
    }
    auto& siblings = parent->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), &node), siblings.end());
    if (node.layer_ != nullptr) {
        auto& members = node.layer_->members_;
        members.erase(std::remove(members.begin(), members.end(), &node), members.end());
    }
    by_handle_.erase(node.handle());
    node.parent_ = nullptr;
    node.layer_ = nullptr;
    node.material_ = nullptr;
    node.object_.reset();
    const auto it = std::find_if(nodes_.begin(), nodes_.end(),
                                 [&](const std::unique_ptr<Node>& n) { return n.get() == &node; });
    deleted_.push_back(std::move(*it));
    nodes_.erase(it);
}

std::vector<Node*> Scene::nodes() const {
    std::vector<Node*> out;
    out.reserve(nodes_.size());
    for (const auto& n : nodes_) {
        if (n.get() != root_) {
            out.push_back(n.get());
        }
    }
    return out;
}

Node* Scene::find_node(const std::u16string& name) const {
    for (const auto& n : nodes_) {
        if (n.get() != root_ && n->name() == name) {
            return n.get();
        }
    }
    return nullptr;
}

MaterialEdited Scene::edit_listener() {
    return [this](const host::Material& m) { material_edited(m); };
}

StandardMaterial& Scene::add_standard_material(std::u16string name) {
    auto m = std::make_unique<StandardMaterial>(next_handle(), std::move(name), edit_listener());
    StandardMaterial& ref = *m;
    materials_.push_back(std::move(m));
    return ref;
}

MultiMaterial& Scene::add_multi_material(std::u16string name, int count) {
    auto m =
        std::make_unique<MultiMaterial>(next_handle(), std::move(name), count, edit_listener());
    MultiMaterial& ref = *m;
    materials_.push_back(std::move(m));
    return ref;
}

ParamMaterial& Scene::add_param_material(std::u16string name, host::ClassId cid) {
    auto m = std::make_unique<ParamMaterial>(next_handle(), std::move(name), cid, edit_listener());
    ParamMaterial& ref = *m;
    materials_.push_back(std::move(m));
    return ref;
}

BitmapTexture& Scene::add_bitmap_texture(std::u16string name, std::u16string file) {
    auto t = std::make_unique<BitmapTexture>(next_handle(), std::move(name), std::move(file));
    BitmapTexture& ref = *t;
    texmaps_.push_back(std::move(t));
    return ref;
}

CheckerMap& Scene::add_checker_map(std::u16string name) {
    auto t = std::make_unique<CheckerMap>(next_handle(), std::move(name));
    CheckerMap& ref = *t;
    texmaps_.push_back(std::move(t));
    return ref;
}

GradientMap& Scene::add_gradient_map(std::u16string name) {
    auto t = std::make_unique<GradientMap>(next_handle(), std::move(name));
    GradientMap& ref = *t;
    texmaps_.push_back(std::move(t));
    return ref;
}

NoiseMap& Scene::add_noise_map(std::u16string name) {
    auto t = std::make_unique<NoiseMap>(next_handle(), std::move(name));
    NoiseMap& ref = *t;
    texmaps_.push_back(std::move(t));
    return ref;
}

void Scene::set_animation_range(host::TimeValue start, host::TimeValue end) {
    if (end < start) {
        throw std::invalid_argument("the animation range ends before it starts");
    }
    range_ = host::Interval(start, end);
}

void Scene::link(Node& node, Node* parent) {
    Node* p = parent != nullptr ? parent : root_;
    for (Node* a = p; a != nullptr; a = a->parent_) {
        if (a == &node) {
            throw std::invalid_argument("a node cannot be linked below itself");
        }
    }
    if (node.parent_ != nullptr) {
        auto& siblings = node.parent_->children_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), &node), siblings.end());
    }
    node.parent_ = p;
    p->children_.push_back(&node);
}

void Scene::move_to_layer(Node& node, Layer& layer) {
    if (node.layer_ == &layer) {
        return;
    }
    if (node.layer_ != nullptr) {
        auto& members = node.layer_->members_;
        members.erase(std::remove(members.begin(), members.end(), &node), members.end());
    }
    node.layer_ = &layer;
    layer.members_.push_back(&node);
}

void Scene::material_edited(const host::Material& material) {
    if (callbacks_.empty()) {
        return;
    }
    host::NodeKeyTab keys;
    for (const auto& n : nodes_) {
        const host::Material* m = n->material_;
        if (m == nullptr) {
            continue;
        }
        bool uses = m == &material;
        for (int i = 0; !uses && i < m->sub_material_count(); ++i) {
            uses = m->sub_material(i) == &material;
        }
        if (uses) {
            keys.push_back(n->handle());
        }
    }
    if (!keys.empty()) {
        deliver(NodeEvent::MaterialOtherEvent, keys);
    }
}

void Scene::notify(NodeEvent kind, const Node& node) {
    if (!callbacks_.empty()) {
        deliver(kind, host::NodeKeyTab{node.handle()});
    }
}

void Scene::send_node_event(NodeEvent kind, const host::NodeKeyTab& keys) {
    deliver(kind, keys);
}

void Scene::deliver(NodeEvent kind, const host::NodeKeyTab& keys) {
    // A callback may unregister itself or others while it is called.
    const auto snapshot = callbacks_;
    for (const auto& entry : snapshot) {
        const bool still_registered =
            std::any_of(callbacks_.begin(), callbacks_.end(),
                        [&](const auto& c) { return c.first == entry.first; });
        if (still_registered) {
            deliver_node_event(*entry.second, kind, keys);
        }
    }
}

void Scene::set_current_time(host::TimeValue t, bool) {
    current_time_ = t;
}

void Scene::progress_start(const std::u16string& title, bool show_bar) {
    progress_open_ = true;
    if (progress_listener_) {
        ProgressEvent e;
        e.kind = ProgressEvent::Kind::start;
        e.title = title;
        e.show_bar = show_bar;
        progress_listener_(e);
    }
}

void Scene::progress_update(int percent, bool show_percent, const std::u16string& title) {
    if (progress_listener_) {
        ProgressEvent e;
        e.kind = ProgressEvent::Kind::update;
        e.title = title;
        e.percent = percent;
        e.show_percent = show_percent;
        progress_listener_(e);
    }
}

void Scene::progress_end() {
    progress_open_ = false;
    if (progress_listener_) {
        ProgressEvent e;
        e.kind = ProgressEvent::Kind::end;
        progress_listener_(e);
    }
}

bool Scene::save_as_dialog(host::WindowHandle parent, const std::u16string& title,
                           std::u16string& file_name, std::u16string& initial_dir,
                           const std::vector<std::u16string>& filters) {
    save_requests_.push_back(SaveDialogRequest{parent, title, file_name, initial_dir, filters});
    if (!save_answer_) {
        return false;
    }
    file_name = *save_answer_;
    return true;
}

void Scene::message_box(const std::u16string& text, const std::u16string& caption, unsigned flags) {
    message_boxes_.push_back(MessageBoxRecord{text, caption, flags});
}

std::u16string Scene::get_dir(int which) {
    const auto it = dirs_.find(which);
    return it == dirs_.end() ? std::u16string() : it->second;
}

int Scene::asset_folder_count(host::AssetType type) {
    const auto it = asset_folders_.find(type);
    return it == asset_folders_.end() ? 0 : static_cast<int>(it->second.size());
}

std::u16string Scene::asset_folder(host::AssetType type, int index) {
    const auto it = asset_folders_.find(type);
    if (it == asset_folders_.end() || index < 0 || index >= static_cast<int>(it->second.size())) {
        return {};
    }
    return it->second[static_cast<std::size_t>(index)];
}

std::u16string Scene::resolve_asset_path(const std::u16string& path, host::AssetType type) {
    if (path.empty() || is_absolute_path(path)) {
        return path;
    }
    namespace fs = std::filesystem;
    const fs::path relative = fs::u8path(platform::utf16_to_utf8(path));
    std::error_code ec;
    for (int i = 0; i < asset_folder_count(type); ++i) {
        const fs::path candidate =
            fs::u8path(platform::utf16_to_utf8(asset_folder(type, i))) / relative;
        if (fs::exists(candidate, ec)) {
            return platform::utf8_to_utf16(fs::absolute(candidate, ec).u8string());
        }
    }
    const fs::path absolute = fs::absolute(relative, ec);
    return ec ? path : platform::utf8_to_utf16(absolute.u8string());
}

std::string Scene::wide_to_multibyte(const std::u16string& text) {
    return platform::utf16_to_utf8(text);
}

bool Scene::execute_script(const std::u16string& script, bool quiet_errors) {
    scripts_run_.push_back(script);
    switch (recognise_hair_script(script)) {
        case HairScript::conversion:
            run_hair_conversion(*this);
            return true;
        case HairScript::clean_up:
            run_hair_clean_up(*this);
            return true;
        case HairScript::none:
            break;
    }
    const std::u16string error = u"-- Script error: the stand-in host runs only the hair scripts";
    script_errors_.push_back(error);
    if (!quiet_errors) {
        message_box(error, u"Script Error", host::kMessageBoxIconError);
    }
    return false;
}

host::CallbackKey Scene::register_node_event_callback(host::INodeEventCallback& callback, bool,
                                                      unsigned, bool) {
    const host::CallbackKey key = next_callback_key_++;
    callbacks_.emplace_back(key, &callback);
    return key;
}

void Scene::unregister_node_event_callback(host::CallbackKey key) {
    callbacks_.erase(std::remove_if(callbacks_.begin(), callbacks_.end(),
                                    [&](const auto& c) { return c.first == key; }),
                     callbacks_.end());
}

host::Node* Scene::node_by_key(host::NodeKey key) {
    const auto it = by_handle_.find(key);
    return it == by_handle_.end() ? nullptr : it->second;
}

std::unique_ptr<host::Bitmap> Scene::create_bitmap(const host::BitmapInfo& info) {
    if (info.width <= 0 || info.height <= 0 || info.width > 16384 || info.height > 16384) {
        return nullptr;
    }
    return std::make_unique<Bitmap>(info.width, info.height);
}

}  // namespace standin
