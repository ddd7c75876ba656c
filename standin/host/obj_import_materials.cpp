#include "standin/host/obj_import_materials.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/utf.h"

namespace standin::obj_import {

namespace {

using tinyobj::material_t;
using tinyobj::texture_option_t;

// Which Standard map slot each texture of a material fills; for a slot listed twice the first
// the material has wins (a normal map before a bump map, as the assimp import has it).
struct MapSource {
    std::string material_t::*file;
    texture_option_t material_t::*option;
    int slot;
};
const MapSource kMapSources[] = {
    {&material_t::diffuse_texname, &material_t::diffuse_texopt, kDiffuseSlot},
    {&material_t::ambient_texname, &material_t::ambient_texopt, kAmbientSlot},
    {&material_t::specular_texname, &material_t::specular_texopt, kSpecularSlot},
    {&material_t::specular_highlight_texname, &material_t::specular_highlight_texopt,
     kGlossinessSlot},
    {&material_t::emissive_texname, &material_t::emissive_texopt, kSelfIllumSlot},
    {&material_t::alpha_texname, &material_t::alpha_texopt, kOpacitySlot},
    {&material_t::normal_texname, &material_t::normal_texopt, kBumpSlot},
    {&material_t::bump_texname, &material_t::bump_texopt, kBumpSlot},
    {&material_t::reflection_texname, &material_t::reflection_texopt, kReflectionSlot},
    {&material_t::displacement_texname, &material_t::displacement_texopt, kDisplacementSlot},
};

// Without Kd or Ns a material gets the colour and shininess that the assimp import gave it
// (tinyobjloader's record holds 0 and 1 for them, and cannot tell them from written ones).
const host::Color kDefaultDiffuse(0.6f, 0.6f, 0.6f);
constexpr float kDefaultShininess = 0.0f;

bool is_statement(const char* line, const char* keyword) {
    const std::size_t n = std::strlen(keyword);
    return std::strncmp(line, keyword, n) == 0 && (line[n] == ' ' || line[n] == '\t');
}

// Per material of a .mtl file's text, in newmtl order: whether it sets Kd and Ns.
void scan_settings(const std::string& text, std::vector<std::pair<bool, bool>>& settings) {
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos) {
            continue;
        }
        const char* p = line.c_str() + start;
        if (is_statement(p, "newmtl")) {
            settings.emplace_back(false, false);
        } else if (!settings.empty() && is_statement(p, "Kd")) {
            settings.back().first = true;
        } else if (!settings.empty() && is_statement(p, "Ns")) {
            settings.back().second = true;
        }
    }
}

}  // namespace

MaterialLibrary::MaterialLibrary(Scene& scene, std::string obj_path)
    : scene_(scene),
      obj_path_(std::move(obj_path)),
      node_materials_(
          scene, [this](unsigned index) -> StandardMaterial& { return make_standard(index); }) {}

bool MaterialLibrary::operator()(const std::string& name,
                                 std::vector<tinyobj::material_t>* materials,
                                 std::map<std::string, int>* names, std::string* warn,
                                 std::string* err) {
    // The full path, so that no character of the OBJ's folder is taken as a list separator.
    const std::string file = import_materials::texture_file(name, obj_path_);
    const std::size_t first = materials->size();
    // Read once: the text is parsed and then scanned for what the parsed record cannot tell.
    std::ifstream in(std::filesystem::u8path(file), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in) {
        if (warn != nullptr) {
            *warn += "material library " + file + " cannot be read\n";
        }
        return false;
    }
    std::istringstream parsed(text.str());
    tinyobj::LoadMtl(names, materials, &parsed, warn, err);
    std::vector<std::pair<bool, bool>> settings;
    scan_settings(text.str(), settings);
    for (std::size_t i = first; i < materials->size(); ++i) {
        Source source;
        source.mtl_file = file;
        if (i - first < settings.size()) {
            source.has_diffuse = settings[i - first].first;
            source.has_shininess = settings[i - first].second;
        }
        sources_.push_back(std::move(source));
    }
    return true;
}

void MaterialLibrary::add_materials(const tinyobj::material_t* materials, int count) {
    for (auto i = static_cast<int>(materials_.size()); i < count; ++i) {
        materials_.push_back(materials[i]);
    }
    sources_.resize(materials_.size());
}

unsigned MaterialLibrary::list_entry(int index) const {
    const bool known = index >= 0 && static_cast<std::size_t>(index) < materials_.size() &&
                       !materials_[static_cast<std::size_t>(index)].name.empty();
    return known ? static_cast<unsigned>(index) : import_materials::kNoMaterial;
}

StandardMaterial& MaterialLibrary::make_standard(unsigned index) {
    const material_t& m = materials_[index];
    const Source& source = sources_[index];
    StandardMaterial& out = scene_.add_standard_material(platform::utf8_to_utf16(m.name));
    out.set_diffuse(source.has_diffuse ? host::Color(m.diffuse[0], m.diffuse[1], m.diffuse[2])
                                       : kDefaultDiffuse);
    out.set_specular(host::Color(m.specular[0], m.specular[1], m.specular[2]));
    out.set_specular_level(1.0f);
    // A Phong exponent of 0 to 1000 as the glossiness fraction.
    const float shininess = source.has_shininess ? m.shininess : kDefaultShininess;
    out.set_shininess(std::clamp(shininess / 1000.0f, 0.0f, 1.0f));
    for (const MapSource& s : kMapSources) {
        const std::string& path = m.*s.file;
        if (path.empty() || out.sub_texmap(s.slot) != nullptr) {
            continue;
        }
        const texture_option_t& option = m.*s.option;
        MapCoordinates coords;
        coords.u_tiling = option.scale[0];
        coords.v_tiling = option.scale[1];
        coords.u_offset = option.origin_offset[0];
        coords.v_offset = option.origin_offset[1];
        const std::string file = import_materials::texture_file(path, source.mtl_file);
        out.set_map(s.slot, &import_materials::add_bitmap_map(scene_, file, coords), true);
    }
    return out;
}

}  // namespace standin::obj_import
