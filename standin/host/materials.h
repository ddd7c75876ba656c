// Materials of the stand-in scene: Standard, Multi/Sub-Object, and materials of any other class
// described by parameter blocks and named map slots (the two classes that the conversions
// recognise by class id among them).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "plugin/host/class_id.h"
#include "plugin/host/material.h"
#include "plugin/host/node_events.h"
#include "standin/host/param_block.h"

namespace standin {

// One map slot of a material: its name, its map (null for none) and whether it is switched on.
struct MapSlot {
    std::u16string name;
    host::Texmap* map = nullptr;
    bool on = true;
};

// Called with the material after every edit, so that the scene can tell the nodes that use it.
using MaterialEdited = std::function<void(const host::Material&)>;

// What the three kinds share: name, handle, sub-materials, map slots and the front-face colours.
template <class Base>
class MaterialImpl : public AnimatableImpl<Base> {
  public:
    MaterialImpl(host::NodeKey handle, std::u16string name, host::ClassId cid,
                 MaterialEdited edited)
        : handle_(handle), name_(std::move(name)), class_id_(cid), edited_(std::move(edited)) {}

    host::NodeKey handle() const { return handle_; }
    void set_name(std::u16string name) {
        name_ = std::move(name);
        edited();
    }
    void set_diffuse(const host::Color& c) {
        diffuse_ = c;
        edited();
    }
    void set_specular(const host::Color& c) {
        specular_ = c;
        edited();
    }
    // Glossiness, a fraction.
    void set_shininess(float s) {
        shininess_ = s;
        edited();
    }

    host::SClassId super_class_id() const override { return host::kMaterialSuperClass; }
    host::ClassId class_id() const override { return class_id_; }
    std::u16string name() const override { return name_; }
    int sub_material_count() const override { return static_cast<int>(subs_.size()); }
    host::Material* sub_material(int i) const override {
        return i >= 0 && i < sub_material_count() ? subs_[static_cast<std::size_t>(i)] : nullptr;
    }
    host::Color diffuse() const override { return diffuse_; }
    host::Color specular() const override { return specular_; }
    float shininess() const override { return shininess_; }
    int sub_texmap_count() const override { return static_cast<int>(slots_.size()); }
    host::Texmap* sub_texmap(int i) const override { return slot(i) ? slot(i)->map : nullptr; }
    std::u16string sub_texmap_slot_name(int i) const override {
        return slot(i) ? slot(i)->name : std::u16string();
    }
    bool sub_texmap_on(int i) const override { return slot(i) ? slot(i)->on : false; }

  protected:
    const MapSlot* slot(int i) const {
        return i >= 0 && i < sub_texmap_count() ? &slots_[static_cast<std::size_t>(i)] : nullptr;
    }
    void edited() {
        if (edited_) {
            edited_(*this);
        }
    }

    std::vector<host::Material*> subs_;
    std::vector<MapSlot> slots_;

  private:
    host::NodeKey handle_;
    std::u16string name_;
    host::ClassId class_id_;
    MaterialEdited edited_;
    host::Color diffuse_{0.5f, 0.5f, 0.5f};
    host::Color specular_{0.9f, 0.9f, 0.9f};
    float shininess_ = 0.1f;
};

// Map slots of the Standard material, in the host's order.
enum StandardMapSlot : int {
    kAmbientSlot = 0,
    kDiffuseSlot = 1,
    kSpecularSlot = 2,
    kSpecularLevelSlot = 3,
    kGlossinessSlot = 4,
    kSelfIllumSlot = 5,
    kOpacitySlot = 6,
    kFilterSlot = 7,
    kBumpSlot = 8,
    kReflectionSlot = 9,
    kRefractionSlot = 10,
    kDisplacementSlot = 11,
};

// The Standard material: twelve named map slots ("Diffuse Color", "Opacity", "Bump", ...), each
// enabled when a map is set.
class StandardMaterial : public MaterialImpl<host::StdMaterial> {
  public:
    StandardMaterial(host::NodeKey handle, std::u16string name, MaterialEdited edited);

    // Sets the map of a slot (null clears it) and whether the slot is enabled.
    void set_map(int slot, host::Texmap* map, bool enabled = true);
    void set_specular_level(float level) {
        specular_level_ = level;
        edited();
    }

    host::Color diffuse_at(host::TimeValue) const override { return diffuse(); }
    host::Color specular_at(host::TimeValue) const override { return specular(); }
    float specular_level_at(host::TimeValue) const override { return specular_level_; }
    bool map_enabled(int i) const override { return sub_texmap_on(i); }

  private:
    float specular_level_ = 0.0f;
};

// Multi/Sub-Object: a list of sub-materials, any of which may be empty. Its colours are those of
// its first sub-material.
class MultiMaterial : public MaterialImpl<host::Material> {
  public:
    MultiMaterial(host::NodeKey handle, std::u16string name, int count, MaterialEdited edited);

    void set_sub_material(int i, host::Material* m);
    // Changes the number of slots; new slots are empty.
    void set_count(int count);

    host::Color diffuse() const override;
    host::Color specular() const override;
    float shininess() const override;
};

// A material of any other class: parameter blocks (add_param_block), named map slots and
// optional sub-materials.
class ParamMaterial : public MaterialImpl<host::Material> {
  public:
    ParamMaterial(host::NodeKey handle, std::u16string name, host::ClassId cid,
                  MaterialEdited edited)
        : MaterialImpl(handle, std::move(name), cid, std::move(edited)) {}

    // Adds a map slot at the end and returns its index.
    int add_map_slot(std::u16string name, host::Texmap* map, bool on = true);
    void add_sub_material(host::Material* m);
};

// Fills m as the material read by parameter block (kBlockColorMaterialClassId): block 1 holds
// colour parameter 1; block 4 holds map parameters 100 (diffuse) and 103 (bump) and their int
// switches 150 and 153 (1 when the map is set). m must have that class.
void fill_block_color_material(ParamMaterial& m, const host::Color& color, host::Texmap* diffuse,
                               host::Texmap* bump);

// Fills m as the material read by parameter name (kNamedMapMaterialClassId): block 0 with
// parameters at ids 0, 1, 2, ... whose local names are "texmap_diffuse_color", "texmap_bump",
// "texmap_specular_glossiness" (map parameters) and, at id 5, the float bump amount.
void fill_named_map_material(ParamMaterial& m, float bump_amount, host::Texmap* diffuse,
                             host::Texmap* bump, host::Texmap* specular_glossiness);

}  // namespace standin
