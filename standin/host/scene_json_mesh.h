// Mesh nodes of a JSON scene: the mesh itself (or a box), its class, its keys (a deforming mesh)
// and a hair-and-fur modifier. Internal to the JSON scene reader.
#pragma once

#include <string>

#include "standin/host/scene_json_context.h"
#include "standin/host/scene_json_value.h"

namespace standin::scene_json {

// Adds a node named name under parent whose object is the mesh described by v (the node's
// "mesh" member).
Node& add_mesh_node(ReadContext& ctx, const Value& v, std::u16string name, Node* parent);

}  // namespace standin::scene_json
