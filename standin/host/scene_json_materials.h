// The "maps" and "materials" sections of a JSON scene, and the parameter blocks that materials
// and custom attributes carry. Internal to the JSON scene reader.
#pragma once

#include <string>

#include "standin/host/param_block.h"
#include "standin/host/scene_json_context.h"
#include "standin/host/scene_json_value.h"

namespace standin::scene_json {

// Adds every map of the "maps" array to the scene, under unique names.
void read_maps(ReadContext& ctx, const Value& array);
// Adds every material of the "materials" array; a material may contain only materials listed
// before it, so there are no cycles.
void read_materials(ReadContext& ctx, const Value& array);

// A reference to a map by name; null for JSON null.
host::Texmap* map_reference(const ReadContext& ctx, const Value& v);
// A reference to a material by name among those read so far; null for JSON null.
host::Material* material_reference(const ReadContext& ctx, const Value& v);

// The id and name of one block of a "blocks" array, and the block's parameters.
int param_block_id(const Value& block);
std::u16string param_block_name(const Value& block);
void read_params(const ReadContext& ctx, const Value& block, ParamBlock& out);

// Reads a "blocks" array into owner's parameter blocks (owner.add_param_block(id, name)).
template <class Owner>
void read_param_blocks(const ReadContext& ctx, const Value& array, Owner& owner) {
    const std::size_t n = array.array_size("an array of parameter blocks");
    for (std::size_t i = 0; i < n; ++i) {
        const Value block = array.element(i);
        ParamBlock& out = owner.add_param_block(param_block_id(block), param_block_name(block));
        read_params(ctx, block, out);
    }
}

}  // namespace standin::scene_json
