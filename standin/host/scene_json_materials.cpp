#include "standin/host/scene_json_materials.h"

#include <climits>
#include <filesystem>
#include <system_error>

#include "platform/utf.h"

namespace standin::scene_json {

namespace {

constexpr float kDegreesToRadians = 0.017453292519943295f;

// Keys of the Standard material's map slots in "maps", indexed by slot (StandardMapSlot).
constexpr const char* kStandardSlotKeys[] = {
    "ambient", "diffuse", "specular", "specular_level", "glossiness", "self_illumination",
    "opacity", "filter",  "bump",     "reflection",     "refraction", "displacement"};
constexpr std::size_t kStandardSlotCount = sizeof(kStandardSlotKeys) / sizeof(kStandardSlotKeys[0]);

// Parameter types by their name in "params".
struct ParamTypeName {
    const char* name;
    int type;
};
constexpr ParamTypeName kParamTypes[] = {
    {"float", host::kParamFloat}, {"int", host::kParamInt},       {"bool", host::kParamBool},
    {"color", host::kParamRgba},  {"point3", host::kParamPoint3}, {"string", host::kParamString},
    {"map", host::kParamTexmap},
};

// A [u, v] pair of numbers.
void read_pair(const Value& v, float& u, float& w) {
    if (v.array_size("a pair [u, v]") != 2) {
        v.expected("a pair [u, v]");
    }
    u = v.element(0).as_float();
    w = v.element(1).as_float();
}

// A name that no earlier entry of the same section uses.
template <class T>
std::u16string unique_name(const Value& entry, const std::map<std::u16string, T*>& used,
                           const char* kind) {
    const Value name = entry.at("name", "a text");
    std::u16string text = name.as_text();
    if (used.count(text) != 0) {
        name.expected(std::string("a name that no other ") + kind + " uses");
    }
    return text;
}

void read_map_coordinates(const Value& entry, MapCoordinates& c) {
    c.channel = int_or(entry, "channel", 0, 99, c.channel);
    if (const auto tiling = entry.find("tiling")) {
        read_pair(*tiling, c.u_tiling, c.v_tiling);
    }
    if (const auto offset = entry.find("offset")) {
        read_pair(*offset, c.u_offset, c.v_offset);
    }
    c.angle = float_or(entry, "angle", 0.0f) * kDegreesToRadians;
}

// Whether the bitmap file can be found where the host would look for it.
bool bitmap_file_found(Scene& scene, const std::u16string& file) {
    const std::u16string resolved = scene.resolve_asset_path(file, host::kBitmapAsset);
    std::error_code ec;
    return !resolved.empty() && std::filesystem::is_regular_file(
                                    std::filesystem::u8path(platform::utf16_to_utf8(resolved)), ec);
}

host::Texmap& read_map(ReadContext& ctx, const Value& entry) {
    const std::string what =
        "a map: {\"name\", \"type\": \"bitmap\", \"checker\", \"gradient\" "
        "or \"noise\", ...}";
    if (!entry.json().is_object()) {
        entry.expected(what);
    }
    const std::string type =
        entry.at("type", "\"bitmap\", \"checker\", \"gradient\" or \"noise\"").as_utf8();
    std::u16string name;
    MapCoordinates coords;
    if (type == "bitmap") {
        entry.require_object(
            what, {"name", "type", "file", "loaded", "channel", "tiling", "offset", "angle"});
        name = unique_name(entry, ctx.maps, "map");
        read_map_coordinates(entry, coords);
        std::u16string file = entry.at("file", "a file name").as_text();
        const std::optional<Value> loaded = entry.find("loaded");
        const bool is_loaded = loaded ? loaded->as_bool() : bitmap_file_found(ctx.scene, file);
        BitmapTexture& map = ctx.scene.add_bitmap_texture(name, std::move(file));
        map.set_loaded(is_loaded);
        map.set_coordinates(coords);
        return map;
    }
    if (type == "checker") {
        entry.require_object(
            what, {"name", "type", "color1", "color2", "channel", "tiling", "offset", "angle"});
        name = unique_name(entry, ctx.maps, "map");
        read_map_coordinates(entry, coords);
        CheckerMap& map = ctx.scene.add_checker_map(name);
        map.color1 = color_or(entry, "color1", map.color1);
        map.color2 = color_or(entry, "color2", map.color2);
        map.set_coordinates(coords);
        return map;
    }
    if (type == "gradient") {
        entry.require_object(what, {"name", "type", "color1", "color2", "color3", "center",
                                    "channel", "tiling", "offset", "angle"});
        name = unique_name(entry, ctx.maps, "map");
        read_map_coordinates(entry, coords);
        GradientMap& map = ctx.scene.add_gradient_map(name);
        map.color1 = color_or(entry, "color1", map.color1);
        map.color2 = color_or(entry, "color2", map.color2);
        map.color3 = color_or(entry, "color3", map.color3);
        map.center = float_or(entry, "center", map.center);
        map.set_coordinates(coords);
        return map;
    }
    if (type == "noise") {
        entry.require_object(what, {"name", "type", "color1", "color2", "size", "channel", "tiling",
                                    "offset", "angle"});
        name = unique_name(entry, ctx.maps, "map");
        read_map_coordinates(entry, coords);
        NoiseMap& map = ctx.scene.add_noise_map(name);
        map.color1 = color_or(entry, "color1", map.color1);
        map.color2 = color_or(entry, "color2", map.color2);
        map.size = float_or(entry, "size", map.size);
        map.set_coordinates(coords);
        return map;
    }
    entry.at("type", "").expected("\"bitmap\", \"checker\", \"gradient\" or \"noise\"");
}

template <class M>
void read_colours(const Value& entry, M& m) {
    if (const auto v = entry.find("diffuse")) {
        m.set_diffuse(v->as_color());
    }
    if (const auto v = entry.find("specular")) {
        m.set_specular(v->as_color());
    }
    if (const auto v = entry.find("shininess")) {
        m.set_shininess(v->as_float());
    }
}

void read_standard_maps(const ReadContext& ctx, const Value& maps, StandardMaterial& m) {
    maps.require_object("an object of map slots, such as {\"diffuse\": \"map name\"}",
                        kStandardSlotKeys, kStandardSlotCount);
    for (std::size_t i = 0; i < kStandardSlotCount; ++i) {
        const std::optional<Value> slot = maps.find(kStandardSlotKeys[i]);
        if (!slot) {
            continue;
        }
        const int index = static_cast<int>(i);
        if (slot->json().is_object()) {
            slot->require_object("a slot {\"map\", \"enabled\"}", {"map", "enabled"});
            m.set_map(index, map_reference(ctx, slot->at("map", "the name of a map")),
                      bool_or(*slot, "enabled", true));
        } else {
            m.set_map(index, map_reference(ctx, *slot), true);
        }
    }
}

// Sub-materials: names of materials listed before, or null for an empty slot.
std::vector<host::Material*> read_sub_materials(const ReadContext& ctx, const Value& array) {
    const std::size_t n =
        array.array_size("an array of material names (or null for an empty slot)");
    std::vector<host::Material*> subs;
    subs.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        subs.push_back(material_reference(ctx, array.element(i)));
    }
    return subs;
}

host::Material& read_material(ReadContext& ctx, const Value& entry) {
    const std::string what =
        "a material: {\"name\", \"type\": \"standard\", \"multi\", "
        "\"block_color\", \"named_maps\" or \"generic\", ...}";
    if (!entry.json().is_object()) {
        entry.expected(what);
    }
    const std::string kinds =
        "\"standard\", \"multi\", \"block_color\", \"named_maps\" or "
        "\"generic\"";
    const std::string type = entry.at("type", kinds).as_utf8();
    if (type == "standard") {
        entry.require_object(
            what, {"name", "type", "diffuse", "specular", "shininess", "specular_level", "maps"});
        StandardMaterial& m =
            ctx.scene.add_standard_material(unique_name(entry, ctx.materials, "material"));
        read_colours(entry, m);
        if (const auto level = entry.find("specular_level")) {
            m.set_specular_level(level->as_float());
        }
        if (const auto maps = entry.find("maps")) {
            read_standard_maps(ctx, *maps, m);
        }
        return m;
    }
    if (type == "multi") {
        entry.require_object(what, {"name", "type", "materials"});
        const std::u16string name = unique_name(entry, ctx.materials, "material");
        const std::vector<host::Material*> subs =
            read_sub_materials(ctx, entry.at("materials", "an array of material names (or null)"));
        MultiMaterial& m = ctx.scene.add_multi_material(name, static_cast<int>(subs.size()));
        for (std::size_t i = 0; i < subs.size(); ++i) {
            m.set_sub_material(static_cast<int>(i), subs[i]);
        }
        return m;
    }
    if (type == "block_color") {
        entry.require_object(what, {"name", "type", "color", "diffuse_map", "bump_map"});
        ParamMaterial& m = ctx.scene.add_param_material(
            unique_name(entry, ctx.materials, "material"), host::kBlockColorMaterialClassId);
        const std::optional<Value> diffuse = entry.find("diffuse_map");
        const std::optional<Value> bump = entry.find("bump_map");
        fill_block_color_material(m, color_or(entry, "color", host::Color(0.5f, 0.5f, 0.5f)),
                                  diffuse ? map_reference(ctx, *diffuse) : nullptr,
                                  bump ? map_reference(ctx, *bump) : nullptr);
        return m;
    }
    if (type == "named_maps") {
        entry.require_object(what, {"name", "type", "bump_amount", "diffuse_map", "bump_map",
                                    "specular_glossiness_map"});
        ParamMaterial& m = ctx.scene.add_param_material(
            unique_name(entry, ctx.materials, "material"), host::kNamedMapMaterialClassId);
        const std::optional<Value> diffuse = entry.find("diffuse_map");
        const std::optional<Value> bump = entry.find("bump_map");
        const std::optional<Value> gloss = entry.find("specular_glossiness_map");
        fill_named_map_material(m, float_or(entry, "bump_amount", 1.0f),
                                diffuse ? map_reference(ctx, *diffuse) : nullptr,
                                bump ? map_reference(ctx, *bump) : nullptr,
                                gloss ? map_reference(ctx, *gloss) : nullptr);
        return m;
    }
    if (type == "generic") {
        entry.require_object(what, {"name", "type", "class_id", "diffuse", "specular", "shininess",
                                    "blocks", "slots", "materials"});
        const std::u16string name = unique_name(entry, ctx.materials, "material");
        const host::ClassId cid = entry.at("class_id", "a class id [a, b]").as_class_id();
        ParamMaterial& m = ctx.scene.add_param_material(name, cid);
        read_colours(entry, m);
        if (const auto blocks = entry.find("blocks")) {
            read_param_blocks(ctx, *blocks, m);
        }
        if (const auto slots = entry.find("slots")) {
            const std::size_t n = slots->array_size("an array of map slots");
            for (std::size_t i = 0; i < n; ++i) {
                const Value slot = slots->element(i);
                slot.require_object("a map slot {\"name\", \"map\", \"on\"}",
                                    {"name", "map", "on"});
                const std::optional<Value> map = slot.find("map");
                m.add_map_slot(slot.at("name", "a text").as_text(),
                               map ? map_reference(ctx, *map) : nullptr, bool_or(slot, "on", true));
            }
        }
        if (const auto subs = entry.find("materials")) {
            for (host::Material* sub : read_sub_materials(ctx, *subs)) {
                m.add_sub_material(sub);
            }
        }
        return m;
    }
    entry.at("type", "").expected(kinds);
}

}  // namespace

void read_maps(ReadContext& ctx, const Value& array) {
    const std::size_t n = array.array_size("an array of maps");
    for (std::size_t i = 0; i < n; ++i) {
        host::Texmap& map = read_map(ctx, array.element(i));
        ctx.maps[map.name()] = &map;
    }
}

void read_materials(ReadContext& ctx, const Value& array) {
    const std::size_t n = array.array_size("an array of materials");
    for (std::size_t i = 0; i < n; ++i) {
        host::Material& m = read_material(ctx, array.element(i));
        ctx.materials[m.name()] = &m;
    }
}

host::Texmap* map_reference(const ReadContext& ctx, const Value& v) {
    if (v.json().is_null()) {
        return nullptr;
    }
    if (!v.json().is_string()) {
        v.expected("the name of a map, or null");
    }
    const auto it = ctx.maps.find(v.as_text());
    if (it == ctx.maps.end()) {
        v.expected("the name of a map, but there is no map \"" + v.as_utf8() + "\"");
    }
    return it->second;
}

host::Material* material_reference(const ReadContext& ctx, const Value& v) {
    if (v.json().is_null()) {
        return nullptr;
    }
    if (!v.json().is_string()) {
        v.expected("the name of a material, or null");
    }
    const auto it = ctx.materials.find(v.as_text());
    if (it == ctx.materials.end()) {
        v.expected(
            "the name of a material listed earlier in \"materials\", but there is none "
            "named \"" +
            v.as_utf8() + "\"");
    }
    return it->second;
}

int param_block_id(const Value& block) {
    block.require_object("a parameter block {\"id\", \"name\", \"params\"}",
                         {"id", "name", "params"});
    return block.at("id", "an integer").as_int(0, INT_MAX);
}

std::u16string param_block_name(const Value& block) {
    const std::optional<Value> name = block.find("name");
    return name ? name->as_text() : std::u16string();
}

void read_params(const ReadContext& ctx, const Value& block, ParamBlock& out) {
    const std::optional<Value> params = block.find("params");
    if (!params) {
        return;
    }
    const std::size_t n = params->array_size("an array of parameters");
    for (std::size_t i = 0; i < n; ++i) {
        const Value p = params->element(i);
        p.require_object("a parameter {\"id\", \"name\", \"type\", \"value\", \"local_name\"}",
                         {"id", "name", "type", "value", "local_name"});
        const int id = p.at("id", "an integer").as_int(0, INT_MAX);
        const std::u16string name = p.at("name", "a text").as_text();
        const std::optional<Value> local = p.find("local_name");
        const std::string type_names =
            "\"float\", \"int\", \"bool\", \"color\", \"point3\", "
            "\"string\" or \"map\"";
        const Value type_value = p.at("type", type_names);
        const std::string type_name = type_value.json().is_string() ? type_value.as_utf8() : "";
        int type = -1;
        for (const ParamTypeName& t : kParamTypes) {
            if (type_name == t.name) {
                type = t.type;
            }
        }
        if (type < 0) {
            type_value.expected(type_names);
        }
        const Value value = p.at("value", "the parameter's value");
        ParamValue v;
        switch (type) {
            case host::kParamFloat:
                v = value.as_float();
                break;
            case host::kParamInt:
                v = value.as_int(INT_MIN, INT_MAX);
                break;
            case host::kParamBool:
                v = value.as_bool() ? 1 : 0;
                break;
            case host::kParamRgba:
            case host::kParamPoint3:
                v = value.as_color();
                break;
            case host::kParamString:
                v = value.as_text();
                break;
            default:
                v = map_reference(ctx, value);
                break;
        }
        out.add_param(id, type, name, std::move(v), local ? local->as_text() : std::u16string());
    }
}

}  // namespace standin::scene_json
