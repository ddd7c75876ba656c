// Parameter blocks (named, typed, possibly animated parameters of a host object, material, map
// or custom attribute) and the base that every such host entity shares.
#pragma once

#include <string>

#include "plugin/host/class_id.h"
#include "plugin/host/geometry.h"
#include "plugin/host/interval.h"

namespace host {

class Texmap;

using ParamId = int;

// Parameter type codes, as the host reports them in a parameter definition.
enum ParamType : int {
    kParamFloat = 0,
    kParamInt = 1,
    kParamRgba = 2,
    kParamPoint3 = 3,
    kParamBool = 4,
    kParamString = 8,
    kParamTexmap = 15,
};

struct ParamDef {
    std::u16string internal_name;  // the parameter's script name
    int type = -1;                 // a ParamType code; -1 for an unknown parameter id
};

class ParamBlock {
  public:
    virtual ~ParamBlock() = default;

    // The block's own id within its owner.
    virtual int id() const = 0;
    virtual int param_count() const = 0;
    // The id of the parameter at index (0 to param_count() - 1); -1 for an index out of range.
    virtual ParamId index_to_id(int index) const = 0;
    // Definition of a parameter; an unknown id gives an empty name and type -1.
    virtual ParamDef param_def(ParamId id) const = 0;
    // The parameter's user-interface name; empty for an unknown id.
    virtual std::u16string local_name(ParamId id) const = 0;

    // Value readers. Each returns false and leaves out untouched when the id is unknown or the
    // parameter is not of a fitting type: get_float takes float parameters, get_int int and bool
    // parameters, get_color colour and point parameters, get_string string parameters,
    // get_texmap map parameters (a map parameter without a map gives true and null).
    virtual bool get_float(ParamId id, TimeValue t, float& out) const = 0;
    virtual bool get_int(ParamId id, TimeValue t, int& out) const = 0;
    virtual bool get_color(ParamId id, TimeValue t, Color& out) const = 0;
    virtual bool get_string(ParamId id, TimeValue t, std::u16string& out) const = 0;
    virtual bool get_texmap(ParamId id, TimeValue t, Texmap*& out) const = 0;
};

// What objects, materials, maps and custom attributes have in common: their class and their
// parameter blocks. Blocks are owned by their entity and live as long as it does.
class Animatable {
  public:
    virtual ~Animatable() = default;

    virtual SClassId super_class_id() const = 0;
    virtual ClassId class_id() const = 0;

    virtual int param_block_count() const = 0;
    // The block at index (0 to param_block_count() - 1); null out of range.
    virtual ParamBlock* param_block(int index) const = 0;
    // The block with the given id; null when the entity has none.
    virtual ParamBlock* param_block_by_id(int id) const = 0;
};

// A scripted custom attribute attached to an object: a name and its parameter blocks.
class CustomAttribute : public Animatable {
  public:
    virtual std::u16string name() const = 0;
};

}  // namespace host
