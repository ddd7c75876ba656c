// Deforming meshes: the whole mesh is taken again at every frame of the animation range and split
// by material slot; each slot becomes one deformable animation holding its mesh of every frame.
#include <map>
#include <memory>
#include <string>

#include "exporter/animation_frames.h"
#include "exporter/animation_sampling.h"
#include "exporter/material_table.h"
#include "exporter/mesh_extraction.h"
#include "exporter/mesh_extraction_normals.h"
#include "exporter/mesh_extraction_slots.h"
#include "exporter/narrow_text.h"
#include "exporter/scene_exporter.h"
#include "importers/sceneapi/dev/deformable_animation.h"
#include "importers/sceneapi/dev/diffuse_material.h"
#include "plugin/host/class_id.h"
#include "plugin/host/object.h"

namespace vsf {

namespace {

// The name of every frame mesh while it is gathered; the animation renames them as it writes.
const char kFrameMeshName[] = "temp";

// node's object at t as the host's triangle mesh, when it is geometry that is exported as a mesh
// at all; empty otherwise. Unlike the static conversion there is no sequence skip: every frame of
// a deforming mesh is wanted.
TriangleMeshHandle frame_mesh(const SceneExporter& exporter, host::Node& node, host::TimeValue t) {
    host::Object* object = node.eval_world_state(t);
    if (!object || object->super_class_id() != host::kGeomObjectSuperClass) {
        return {};
    }
    const host::ClassId class_id = object->class_id();
    if ((!exporter.options().bones && class_id == host::kBoneClassId) ||
        class_id == host::kSkippedGeometryClassId ||
        !object->can_convert_to(host::kTriObjectClassId)) {
        return {};
    }
    host::Object* converted = object->convert_to_type(t, host::kTriObjectClassId);
    if (!converted) {
        return {};
    }
    const bool temporary = converted != object;
    if (host::TriObject* mesh_object = converted->as_tri_object()) {
        return TriangleMeshHandle(mesh_object, temporary);
    }
    if (temporary) {
        converted->delete_this();
    }
    return {};
}

// The material of a slot's animation: the slot's converted material, or a stand-in when the slot
// has none.
std::shared_ptr<zyl::Material> slot_material(const MaterialTable& table, int slot) {
    const MaterialRecord* record = table.records[static_cast<std::size_t>(slot)].get();
    if (record && record->material) {
        return record->material;
    }
    return std::make_shared<zyl::Diffuse>("PLACEHOLDER");
}

}  // namespace

bool convert_deforming_mesh(SceneExporter& exporter, host::Node& node) {
    zyl::zylSceneapi_oo* api = exporter.front_end();
    if (!api || exporter.skipped_by_update(node)) {
        return false;
    }
    const AnimationFrames frames = animation_frames(exporter);
    const std::string name = narrow_text(node.name());
    std::map<int, std::shared_ptr<zyl::DeformableAnimation>> slots;
    for (int k = 0; k < frames.count(); ++k) {
        if (exporter.host().get_cancel()) {
            break;  // what was gathered so far is still written
        }
        const host::TimeValue t = frames.time(k);
        // The mesh is read in place while the handle lives; the slot objects copy what they need.
        const TriangleMeshHandle handle = frame_mesh(exporter, node, t);
        if (!handle || handle.mesh().verts.empty() || handle.mesh().faces.empty()) {
            continue;  // this frame is left out; the others keep their frame numbers
        }
        const host::Mesh& mesh = handle.mesh();
        const MaterialTable table =
            build_material_table(exporter.material_context(), mesh, node, t);
        const VertexNormals normals = compute_vertex_normals(mesh);
        // The object offset: vertices end up in the node's own space, which the traversal places.
        const host::Matrix3 vertex_transform =
            node.object_tm(t, nullptr) * host::inverse(node.node_tm(t, nullptr));
        SlotObjectBuilder builder(mesh, normals, table);
        for (int slot = 0; slot < table.count; ++slot) {
            std::shared_ptr<zyl::TriangleObject> frame_object =
                builder.build(kFrameMeshName, slot, vertex_transform);
            if (!frame_object) {
                break;
            }
            std::shared_ptr<zyl::DeformableAnimation>& animation = slots[slot];
            if (!animation) {
                animation =
                    std::make_shared<zyl::DeformableAnimation>(name, 0.0f, frames.duration());
                animation->set_material(slot_material(table, slot));
            }
            animation->add_frame(std::move(frame_object), k);
            animation->add_timestamp(AnimationFrames::timestamp(k));
        }
    }
    for (const auto& slot : slots) {
        api->emit(*slot.second);
    }
    return !slots.empty();
}

}  // namespace vsf
