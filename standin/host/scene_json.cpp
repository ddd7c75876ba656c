#include "standin/host/scene_json.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

#include "platform/utf.h"
#include "standin/host/scene_json_context.h"
#include "standin/host/scene_json_materials.h"
#include "standin/host/scene_json_mesh.h"
#include "standin/host/scene_json_objects.h"
#include "standin/host/scene_json_value.h"

namespace standin {

namespace {

using scene_json::ReadContext;
using scene_json::Value;

// Deeper trees are refused rather than risking the reader's (and the exporter's) stack.
constexpr int kMaxNodeDepth = 1000;

constexpr scene_json::NamedCode kUnits[] = {
    {"inches", host::kUnitInches},
    {"feet", host::kUnitFeet},
    {"miles", host::kUnitMiles},
    {"millimeters", host::kUnitMillimeters},
    {"centimeters", host::kUnitCentimeters},
    {"meters", host::kUnitMeters},
    {"kilometers", host::kUnitKilometers},
};

constexpr const char* kNodeFields[] = {"name",          "layer",     "hidden",
                                       "wire_color",    "material",  "transform",
                                       "object_offset", "animation", "custom_attributes",
                                       "children",      "mesh",      "shape",
                                       "camera",        "light",     "photometric_light",
                                       "sky_light",     "helper",    "target"};

// The object kinds of a node; at most one per node.
constexpr const char* kObjectKinds[] = {
    "mesh", "shape", "camera", "light", "photometric_light", "sky_light", "helper", "target"};

host::TimeValue read_time(const Value& v) {
    return static_cast<host::TimeValue>(
        v.as_integer(host::kTimeNegInfinity + 1LL, host::kTimePosInfinity - 1LL));
}

void read_time_settings(Scene& scene, const Value& v) {
    v.require_object("the time settings {\"start\", \"end\", \"ticks_per_frame\", \"current\"}",
                     {"start", "end", "ticks_per_frame", "current"});
    const host::Interval range = scene.animation_range();
    const std::optional<Value> start_value = v.find("start");
    const std::optional<Value> end_value = v.find("end");
    const host::TimeValue start = start_value ? read_time(*start_value) : range.start();
    const host::TimeValue end = end_value ? read_time(*end_value) : range.end();
    if (end < start) {
        (end_value ? *end_value : *start_value)
            .expected("a range whose end is not before its start");
    }
    scene.set_animation_range(start, end);
    scene.set_ticks_per_frame(
        scene_json::int_or(v, "ticks_per_frame", 1, 4800 * 60, scene.ticks_per_frame()));
    if (const auto current = v.find("current")) {
        scene.set_current_time(read_time(*current), false);
    }
}

// A folder as given, or below base_folder when it is relative.
std::u16string folder_below(const std::string& base_folder, const std::string& folder) {
    namespace fs = std::filesystem;
    const fs::path p = fs::u8path(folder);
    if (base_folder.empty() || p.is_absolute()) {
        return platform::utf8_to_utf16(folder);
    }
    return platform::utf8_to_utf16((fs::u8path(base_folder) / p).u8string());
}

void read_asset_folders(Scene& scene, const Value& v, const std::string& base_folder) {
    v.require_object("asset folders {\"bitmap\": [...], \"photometric\": [...]}",
                     {"bitmap", "photometric", "other"});
    const std::pair<const char*, host::AssetType> kinds[] = {
        {"bitmap", host::kBitmapAsset},
        {"photometric", host::kPhotometricAsset},
        {"other", host::kOtherAsset},
    };
    for (const auto& kind : kinds) {
        const std::optional<Value> list = v.find(kind.first);
        if (!list) {
            continue;
        }
        const std::size_t n = list->array_size("an array of folders");
        for (std::size_t i = 0; i < n; ++i) {
            scene.add_asset_folder(kind.second,
                                   folder_below(base_folder, list->element(i).as_utf8()));
        }
    }
}

void read_layers(ReadContext& ctx, const Value& array) {
    const std::size_t n = array.array_size("an array of layer names");
    for (std::size_t i = 0; i < n; ++i) {
        const Value name = array.element(i);
        std::u16string text = name.as_text();
        if (text == ctx.scene.default_layer().name()) {
            continue;  // the default layer is always there
        }
        if (ctx.layers.count(text) != 0) {
            name.expected("a layer name not listed twice");
        }
        Layer& layer = ctx.scene.add_layer(text);
        ctx.layers[std::move(text)] = &layer;
    }
}

host::Matrix3 read_transform(const Value& v) {
    v.require_object("a transform {\"position\", \"rotation\", \"scale\"} or {\"matrix\"}",
                     {"position", "rotation", "scale", "matrix"});
    if (const auto matrix = v.find("matrix")) {
        for (const char* part : {"position", "rotation", "scale"}) {
            if (const auto other = v.find(part)) {
                other->fail("unexpected beside \"matrix\"");
            }
        }
        const std::string rows = "four rows [x, y, z]: the x, y and z axes and the translation";
        if (matrix->array_size(rows) != 4) {
            matrix->expected(rows);
        }
        return host::Matrix3(matrix->element(0).as_point3(), matrix->element(1).as_point3(),
                             matrix->element(2).as_point3(), matrix->element(3).as_point3());
    }
    const host::Point3 scale = scene_json::point3_or(v, "scale", host::Point3(1.0f, 1.0f, 1.0f));
    const std::optional<Value> rotation = v.find("rotation");
    const Quat q = rotation ? rotation->as_rotation() : Quat();
    const host::Point3 position = scene_json::point3_or(v, "position", host::Point3());
    return host::Matrix3::scaling(scale) * to_matrix(q) * host::Matrix3::translation(position);
}

// Calls add(time, value) for every key {"time", "value"} of a key array.
template <class Read, class Add>
void read_keys(const Value& array, Read read, Add add) {
    const std::size_t n = array.array_size("an array of keys {\"time\", \"value\"}");
    for (std::size_t i = 0; i < n; ++i) {
        const Value key = array.element(i);
        key.require_object("a key {\"time\", \"value\"}", {"time", "value"});
        add(read_time(key.at("time", "a time in ticks")), read(key.at("value", "the key's value")));
    }
}

void read_animation(const Value& v, Node& node) {
    v.require_object("keys {\"position\", \"rotation\", \"scale\"}",
                     {"position", "rotation", "scale"});
    if (const auto keys = v.find("position")) {
        read_keys(
            *keys, [](const Value& x) { return x.as_point3(); },
            [&](host::TimeValue t, const host::Point3& p) { node.add_position_key(t, p); });
    }
    if (const auto keys = v.find("rotation")) {
        read_keys(
            *keys, [](const Value& x) { return x.as_rotation(); },
            [&](host::TimeValue t, const Quat& q) { node.add_rotation_key(t, q); });
    }
    if (const auto keys = v.find("scale")) {
        read_keys(
            *keys, [](const Value& x) { return x.as_point3(); },
            [&](host::TimeValue t, const host::Point3& s) { node.add_scale_key(t, s); });
    }
}

// Creates the node with the object of its one object member (or none).
Node& add_node_with_object(ReadContext& ctx, const Value& v, std::u16string name, Node* parent) {
    std::optional<Value> kind;
    for (const char* k : kObjectKinds) {
        if (std::optional<Value> found = v.find(k)) {
            if (kind) {
                found->fail("unexpected beside \"" + kind->path().substr(v.path().size() + 1) +
                            "\"; a node holds at most one object");
            }
            kind = found;
        }
    }
    Scene& scene = ctx.scene;
    if (!kind) {
        return scene.add_node(std::move(name), nullptr, parent);
    }
    const std::string key = kind->path().substr(v.path().size() + 1);
    if (key == "mesh") {
        return scene_json::add_mesh_node(ctx, *kind, std::move(name), parent);
    }
    if (key == "shape") {
        return scene.add_shape_node(std::move(name), scene_json::read_shape(*kind), parent);
    }
    if (key == "camera") {
        return scene.add_camera_node(std::move(name), scene_json::read_camera(*kind), parent);
    }
    if (key == "light") {
        return scene.add_standard_light_node(std::move(name),
                                             scene_json::read_standard_light(*kind), parent);
    }
    if (key == "photometric_light") {
        return scene.add_photometric_light_node(std::move(name),
                                                scene_json::read_photometric_light(*kind), parent);
    }
    if (key == "sky_light") {
        return scene.add_sky_light_node(std::move(name), scene_json::read_sky_light(ctx, *kind),
                                        parent);
    }
    kind->require_object("an empty object {}", {});
    if (key == "helper") {
        return scene.add_helper_node(std::move(name), parent);
    }
    return scene.add_target_node(std::move(name), parent);
}

void read_node(ReadContext& ctx, const Value& v, Node* parent, int depth) {
    v.require_object("a node {\"name\", ...}", kNodeFields, std::size(kNodeFields));
    if (depth > kMaxNodeDepth) {
        v.fail("nested too deeply; expected at most " + std::to_string(kMaxNodeDepth) +
               " levels of children");
    }
    std::u16string name = v.at("name", "a text").as_text();
    Layer* layer = &ctx.scene.default_layer();
    if (const auto layer_value = v.find("layer")) {
        const std::u16string layer_name = layer_value->as_text();
        if (layer_name != layer->name()) {
            const auto it = ctx.layers.find(layer_name);
            if (it == ctx.layers.end()) {
                layer_value->expected(
                    "the name of a layer listed in \"layers\", but there is "
                    "none named \"" +
                    layer_value->as_utf8() + "\"");
            }
            layer = it->second;
        }
    }
    ctx.scene.set_current_layer(*layer);
    Node& node = add_node_with_object(ctx, v, std::move(name), parent);

    if (const auto transform = v.find("transform")) {
        node.set_transform(read_transform(*transform));
    }
    if (const auto offset = v.find("object_offset")) {
        node.set_object_offset(read_transform(*offset));
    }
    if (const auto animation = v.find("animation")) {
        read_animation(*animation, node);
    }
    node.set_hidden(scene_json::bool_or(v, "hidden", false));
    if (const auto wire = v.find("wire_color")) {
        const std::string what = "a wire colour [r, g, b] of three integers from 0 to 255";
        if (wire->array_size(what) != 3) {
            wire->expected(what);
        }
        node.set_wire_color(static_cast<std::uint8_t>(wire->element(0).as_int(0, 255)),
                            static_cast<std::uint8_t>(wire->element(1).as_int(0, 255)),
                            static_cast<std::uint8_t>(wire->element(2).as_int(0, 255)));
    }
    if (const auto material = v.find("material")) {
        node.set_material(scene_json::material_reference(ctx, *material));
    }
    if (const auto attributes = v.find("custom_attributes")) {
        if (node.object() == nullptr) {
            attributes->fail("unexpected on a node without object");
        }
        scene_json::read_custom_attributes(ctx, *attributes, *node.object());
    }
    if (const auto children = v.find("children")) {
        const std::size_t n = children->array_size("an array of nodes");
        for (std::size_t i = 0; i < n; ++i) {
            read_node(ctx, children->element(i), &node, depth + 1);
        }
    }
}

void read_document(Scene& scene, const scene_json::Json& json, const std::string& base_folder) {
    const Value doc(json, "");
    doc.require_object(
        "a scene {\"time\", \"units\", \"layers\", \"maps\", \"materials\", "
        "\"nodes\", ...}",
        {"time", "units", "asset_folders", "layers", "maps", "materials", "nodes"});
    ReadContext ctx(scene);
    if (const auto time = doc.find("time")) {
        read_time_settings(scene, *time);
    }
    if (const auto units = doc.find("units")) {
        scene.set_system_unit_type(scene_json::named_code(*units, kUnits, 0, 6));
    }
    if (const auto folders = doc.find("asset_folders")) {
        read_asset_folders(scene, *folders, base_folder);
    }
    if (!base_folder.empty()) {
        scene.add_asset_folder(host::kBitmapAsset, platform::utf8_to_utf16(base_folder));
        scene.add_asset_folder(host::kPhotometricAsset, platform::utf8_to_utf16(base_folder));
    }
    if (const auto layers = doc.find("layers")) {
        read_layers(ctx, *layers);
    }
    if (const auto maps = doc.find("maps")) {
        scene_json::read_maps(ctx, *maps);
    }
    if (const auto materials = doc.find("materials")) {
        scene_json::read_materials(ctx, *materials);
    }
    if (const auto nodes = doc.find("nodes")) {
        const std::size_t n = nodes->array_size("an array of nodes");
        for (std::size_t i = 0; i < n; ++i) {
            read_node(ctx, nodes->element(i), nullptr, 1);
        }
    }
    scene.set_current_layer(scene.default_layer());
}

// "line L, column C" of the byte at offset (counted from 1, as the parser reports it).
std::string text_position(std::string_view text, std::size_t offset) {
    std::size_t line = 1;
    std::size_t column = 1;
    const std::size_t end = offset == 0 ? 0 : std::min(offset - 1, text.size());
    for (std::size_t i = 0; i < end; ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// The parser's message without its exception tag and position prefix.
std::string parser_detail(const std::string& message) {
    const std::size_t tag = message.find("] ");
    std::string detail = tag == std::string::npos ? message : message.substr(tag + 2);
    const std::size_t at = detail.find("parse error at line ");
    if (at != std::string::npos) {
        const std::size_t colon = detail.find(": ", at);
        if (colon != std::string::npos) {
            detail = detail.substr(colon + 2);
        }
    }
    return detail;
}

}  // namespace

void read_scene_json(Scene& scene, std::string_view text, const std::string& base_folder) {
    scene_json::Json json;
    try {
        json = scene_json::Json::parse(text.begin(), text.end(), nullptr, true, true);
    } catch (const scene_json::Json::parse_error& e) {
        throw SceneFileError(text_position(text, e.byte),
                             "invalid JSON: " + parser_detail(e.what()));
    } catch (const scene_json::Json::exception& e) {
        throw SceneFileError("/", "invalid JSON: " + parser_detail(e.what()));
    }
    try {
        read_document(scene, json, base_folder);
    } catch (const scene_json::Json::exception& e) {
        // The readers check every value before they take it; this is only a backstop.
        throw SceneFileError("/", parser_detail(e.what()));
    }
}

void load_scene_json(Scene& scene, const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    std::ifstream in(fs::u8path(path), std::ios::binary);
    std::ostringstream text;
    if (in && fs::is_regular_file(fs::u8path(path), ec)) {
        text << in.rdbuf();
    }
    if (!in || in.bad() || !fs::is_regular_file(fs::u8path(path), ec)) {
        throw SceneFileError(path, "cannot be read");
    }
    const fs::path folder = fs::absolute(fs::u8path(path), ec).parent_path();
    read_scene_json(scene, text.str(), ec ? std::string() : folder.u8string());
}

}  // namespace standin
