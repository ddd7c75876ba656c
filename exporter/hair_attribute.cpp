#include "exporter/hair_attribute.h"

#include "plugin/host/param_block.h"

namespace vsf {

const char16_t kHairAttributeName[] = u"vistrel_hair_and_fur_data";

namespace {

// Parameter indices within the attribute's "data" block, in the script's order (index 2 is the
// delete marker, read only by the clean-up script).
constexpr int kStartRadius = 0;
constexpr int kEndRadius = 1;
constexpr int kRootColor = 3;
constexpr int kTipColor = 4;
constexpr int kHue = 5;
constexpr int kValue = 6;

void read_block(const host::ParamBlock& block, host::TimeValue t, HairAttribute& hair) {
    block.get_float(block.index_to_id(kStartRadius), t, hair.start_radius);
    block.get_float(block.index_to_id(kEndRadius), t, hair.end_radius);
    block.get_color(block.index_to_id(kRootColor), t, hair.root_color);
    block.get_color(block.index_to_id(kTipColor), t, hair.tip_color);
    block.get_float(block.index_to_id(kHue), t, hair.hue);
    block.get_float(block.index_to_id(kValue), t, hair.value);
}

}  // namespace

HairAttribute read_hair_attribute(const host::Object& object, host::TimeValue t) {
    HairAttribute hair;
    const int count = object.custom_attribute_count();
    for (int i = 0; i < count; ++i) {
        const host::CustomAttribute* attribute = object.custom_attribute(i);
        if (!attribute || attribute->name() != kHairAttributeName) {
            continue;
        }
        hair.is_hair = true;
        if (const host::ParamBlock* block = attribute->param_block(0)) {
            read_block(*block, t, hair);
        }
    }
    return hair;
}

}  // namespace vsf
