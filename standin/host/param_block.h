// Parameter blocks of the stand-in host: typed parameters with ids and names, kept by objects,
// materials, maps and custom attributes; and the shared implementation of host::Animatable.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "plugin/host/param_block.h"

namespace standin {

// A parameter value: float (float parameters), int (int and bool parameters), Color (colour and
// point parameters), text (string parameters) or a map (map parameters; null for none).
using ParamValue = std::variant<float, int, host::Color, std::u16string, host::Texmap*>;

class ParamBlock : public host::ParamBlock {
  public:
    explicit ParamBlock(int id, std::u16string name = {}) : id_(id), name_(std::move(name)) {}

    // The block's name (the "data" of a scripted attribute's "parameters data").
    const std::u16string& name() const { return name_; }

    // Adds a parameter at the end, or replaces the one with the same id in place. type is a
    // host::ParamType; value must hold the alternative that the type takes (see ParamValue),
    // else std::invalid_argument. An empty local name means the internal name.
    void add_param(host::ParamId id, int type, std::u16string internal_name, ParamValue value,
                   std::u16string local_name = {});
    // Changes the value of an existing parameter; false when the id is unknown or the value
    // does not fit the parameter's type.
    bool set_value(host::ParamId id, ParamValue value);
    // The parameter with that internal name, or -1.
    host::ParamId find(const std::u16string& internal_name) const;
    // The value of a parameter; null for an unknown id.
    const ParamValue* value(host::ParamId id) const;

    int id() const override { return id_; }
    int param_count() const override { return static_cast<int>(params_.size()); }
    host::ParamId index_to_id(int index) const override;
    host::ParamDef param_def(host::ParamId id) const override;
    std::u16string local_name(host::ParamId id) const override;
    bool get_float(host::ParamId id, host::TimeValue t, float& out) const override;
    bool get_int(host::ParamId id, host::TimeValue t, int& out) const override;
    bool get_color(host::ParamId id, host::TimeValue t, host::Color& out) const override;
    bool get_string(host::ParamId id, host::TimeValue t, std::u16string& out) const override;
    bool get_texmap(host::ParamId id, host::TimeValue t, host::Texmap*& out) const override;

  private:
    struct Param {
        host::ParamId id;
        int type;
        std::u16string internal_name;
        std::u16string local_name;
        ParamValue value;
    };
    const Param* lookup(host::ParamId id) const;

    int id_;
    std::u16string name_;
    std::vector<Param> params_;
};

// Whether value holds the alternative that parameter type takes.
bool value_fits_type(int type, const ParamValue& value);

// The parameter blocks of one entity, in the order they were added.
class ParamBlockSet {
  public:
    // Adds a block (a block with the same id is replaced in place) and returns it.
    ParamBlock& add(int id, std::u16string name = {});
    int count() const { return static_cast<int>(blocks_.size()); }
    ParamBlock* at(int index) const;
    ParamBlock* by_id(int id) const;

  private:
    std::vector<std::unique_ptr<ParamBlock>> blocks_;
};

// host::Animatable's parameter-block operations over a ParamBlockSet, for any host interface
// Base derived from host::Animatable.
template <class Base>
class AnimatableImpl : public Base {
  public:
    ParamBlock& add_param_block(int id, std::u16string name = {}) {
        return blocks_.add(id, std::move(name));
    }
    int param_block_count() const override { return blocks_.count(); }
    host::ParamBlock* param_block(int index) const override { return blocks_.at(index); }
    host::ParamBlock* param_block_by_id(int id) const override { return blocks_.by_id(id); }
    ParamBlock* block(int index) const { return blocks_.at(index); }
    ParamBlock* block_by_id(int id) const { return blocks_.by_id(id); }

  private:
    ParamBlockSet blocks_;
};

// A scripted custom attribute: a name and its parameter blocks.
class CustomAttribute : public AnimatableImpl<host::CustomAttribute> {
  public:
    explicit CustomAttribute(std::u16string name) : name_(std::move(name)) {}
    std::u16string name() const override { return name_; }
    host::SClassId super_class_id() const override { return kSuperClass; }
    host::ClassId class_id() const override { return host::ClassId(); }

    // The stand-in's super class of custom attributes.
    static constexpr host::SClassId kSuperClass = 0x3A0;

  private:
    std::u16string name_;
};

}  // namespace standin
