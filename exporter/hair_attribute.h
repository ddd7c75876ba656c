// The attribute that the hair conversion script puts on each temporary hair shape: the hair's
// thickness at root and tip, its root and tip colours and its hue and value variation.
#pragma once

#include "plugin/host/geometry.h"
#include "plugin/host/interval.h"
#include "plugin/host/object.h"

namespace vsf {

// The attribute's name, as the conversion script defines it.
extern const char16_t kHairAttributeName[];

// What a shape's hair attribute says, or the defaults for whatever it does not say.
struct HairAttribute {
    bool is_hair = false;  // the shape carries the attribute
    float start_radius = 1.0f;
    float end_radius = 1.0f;
    host::Color root_color{0.8f, 0.8f, 0.8f};
    host::Color tip_color{0.8f, 0.8f, 0.8f};
    float hue = 10.0f;    // hue variation, in the host's percent-like units
    float value = 50.0f;  // value variation, likewise
};

// Reads every attribute of object named kHairAttributeName, in order (a later one overrides what
// an earlier one set), from its first parameter block at time t. Parameters that are missing or
// of another type keep their defaults; an object without the attribute is not hair.
HairAttribute read_hair_attribute(const host::Object& object, host::TimeValue t);

}  // namespace vsf
