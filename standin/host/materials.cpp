#include "standin/host/materials.h"

namespace standin {

StandardMaterial::StandardMaterial(host::NodeKey handle, std::u16string name, MaterialEdited edited)
    : MaterialImpl(handle, std::move(name), host::kStandardMaterialClassId, std::move(edited)) {
    static const char16_t* const names[] = {
        u"Ambient Color", u"Diffuse Color",     u"Specular Color", u"Specular Level",
        u"Glossiness",    u"Self-Illumination", u"Opacity",        u"Filter Color",
        u"Bump",          u"Reflection",        u"Refraction",     u"Displacement"};
    for (const char16_t* n : names) {
        slots_.push_back(MapSlot{n, nullptr, false});
    }
}

void StandardMaterial::set_map(int slot, host::Texmap* map, bool enabled) {
    if (slot < 0 || slot >= sub_texmap_count()) {
        return;
    }
    slots_[static_cast<std::size_t>(slot)].map = map;
    slots_[static_cast<std::size_t>(slot)].on = enabled;
    edited();
}

MultiMaterial::MultiMaterial(host::NodeKey handle, std::u16string name, int count,
                             MaterialEdited edited)
    : MaterialImpl(handle, std::move(name), host::kMultiMaterialClassId, std::move(edited)) {
    subs_.assign(static_cast<std::size_t>(count > 0 ? count : 0), nullptr);
}

void MultiMaterial::set_sub_material(int i, host::Material* m) {
    if (i < 0 || i >= sub_material_count()) {
        return;
    }
    subs_[static_cast<std::size_t>(i)] = m;
    edited();
}

void MultiMaterial::set_count(int count) {
    subs_.resize(static_cast<std::size_t>(count > 0 ? count : 0), nullptr);
    edited();
}

host::Color MultiMaterial::diffuse() const {
    return subs_.empty() || subs_[0] == nullptr ? MaterialImpl::diffuse() : subs_[0]->diffuse();
}

host::Color MultiMaterial::specular() const {
    return subs_.empty() || subs_[0] == nullptr ? MaterialImpl::specular() : subs_[0]->specular();
}

float MultiMaterial::shininess() const {
    return subs_.empty() || subs_[0] == nullptr ? MaterialImpl::shininess() : subs_[0]->shininess();
}

int ParamMaterial::add_map_slot(std::u16string name, host::Texmap* map, bool on) {
    slots_.push_back(MapSlot{std::move(name), map, on});
    edited();
    return sub_texmap_count() - 1;
}

void ParamMaterial::add_sub_material(host::Material* m) {
    subs_.push_back(m);
    edited();
}

void fill_block_color_material(ParamMaterial& m, const host::Color& color, host::Texmap* diffuse,
                               host::Texmap* bump) {
    m.add_param_block(0);
    ParamBlock& basic = m.add_param_block(1, u"basic");
    basic.add_param(0, host::kParamFloat, u"weight", 1.0f);
    basic.add_param(1, host::kParamRgba, u"color", color);
    m.add_param_block(2);
    m.add_param_block(3);
    ParamBlock& maps = m.add_param_block(4, u"maps");
    maps.add_param(100, host::kParamTexmap, u"color_map", diffuse);
    maps.add_param(103, host::kParamTexmap, u"bump_map", bump);
    maps.add_param(150, host::kParamBool, u"color_map_on", diffuse != nullptr ? 1 : 0);
    maps.add_param(153, host::kParamBool, u"bump_map_on", bump != nullptr ? 1 : 0);
}

void fill_named_map_material(ParamMaterial& m, float bump_amount, host::Texmap* diffuse,
                             host::Texmap* bump, host::Texmap* specular_glossiness) {
    ParamBlock& b = m.add_param_block(0, u"main");
    b.add_param(0, host::kParamRgba, u"diffuseColor", host::Color(0.5f, 0.5f, 0.5f),
                u"diffuse_color");
    b.add_param(1, host::kParamTexmap, u"diffuseMap", diffuse, u"texmap_diffuse_color");
    b.add_param(2, host::kParamTexmap, u"bumpMap", bump, u"texmap_bump");
    b.add_param(3, host::kParamTexmap, u"glossinessMap", specular_glossiness,
                u"texmap_specular_glossiness");
    b.add_param(4, host::kParamFloat, u"glossiness", 0.5f, u"specular_glossiness");
    b.add_param(5, host::kParamFloat, u"bumpAmount", bump_amount, u"bump_amount");
}

}  // namespace standin
