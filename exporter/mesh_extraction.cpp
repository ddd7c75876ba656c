#include "exporter/mesh_extraction.h"

#include <string>
#include <utility>

#include "exporter/material_table.h"
#include "exporter/mesh_extraction_normals.h"
#include "exporter/mesh_extraction_slots.h"
#include "exporter/narrow_text.h"
#include "exporter/scene_exporter.h"
#include "plugin/host/class_id.h"

namespace vsf {

TriangleMeshHandle::TriangleMeshHandle(TriangleMeshHandle&& other) noexcept
    : object_(std::exchange(other.object_, nullptr)),
      temporary_(std::exchange(other.temporary_, false)) {}

TriangleMeshHandle& TriangleMeshHandle::operator=(TriangleMeshHandle&& other) noexcept {
    if (this != &other) {
        release();
        object_ = std::exchange(other.object_, nullptr);
        temporary_ = std::exchange(other.temporary_, false);
    }
    return *this;
}

void TriangleMeshHandle::release() {
    if (object_ && temporary_) {
        object_->delete_this();
    }
    object_ = nullptr;
    temporary_ = false;
}

TriangleMeshHandle make_triangle_mesh(SceneExporter& exporter, host::Node& node,
                                      host::TimeValue time) {
    host::Object* object = node.eval_world_state(time);
    if (!object) {
        return {};
    }
    const host::Interval valid = object->validity(time);
    if (exporter.sequence_mode() && time != exporter.anim_start() && valid.start() != time) {
        return {};
    }
    if (!object->can_convert_to(host::kTriObjectClassId)) {
        return {};
    }
    host::Object* converted = object->convert_to_type(time, host::kTriObjectClassId);
    if (!converted) {
        return {};
    }
    const bool temporary = converted != object;
    host::TriObject* mesh_object = converted->as_tri_object();
    if (!mesh_object) {
        if (temporary) {
            converted->delete_this();
        }
        return {};
    }
    return TriangleMeshHandle(mesh_object, temporary);
}

bool convert_static_mesh(SceneExporter& exporter, host::Node& node) {
    zyl::zylSceneapi_oo* api = exporter.front_end();
    if (!api || exporter.skipped_by_update(node)) {
        return false;
    }
    const host::TimeValue time = exporter.current_time();
    host::Object* object = node.eval_world_state(time);
    if (!object || object->super_class_id() != host::kGeomObjectSuperClass) {
        return false;
    }
    exporter.scene_bounds() += object->world_bound_box(time, node);
    const host::ClassId class_id = object->class_id();
    if ((!exporter.options().bones && class_id == host::kBoneClassId) ||
        class_id == host::kSkippedGeometryClassId) {
        return false;
    }
    // The object offset: vertices end up in the node's own space, which the traversal places.
    const host::Matrix3 vertex_transform =
        node.object_tm(time, nullptr) * host::inverse(node.node_tm(time, nullptr));

    // The mesh is read in place while the handle lives, never copied.
    const TriangleMeshHandle handle = make_triangle_mesh(exporter, node, time);
    if (!handle) {
        return false;
    }
    const host::Mesh& mesh = handle.mesh();
    if (mesh.verts.empty() || mesh.faces.empty()) {
        return false;
    }
    const MaterialTable table = build_material_table(exporter.material_context(), mesh, node, time);
    const VertexNormals normals = compute_vertex_normals(mesh);
    SlotObjectBuilder builder(mesh, normals, table);
    const std::string name = narrow_text(node.name());
    for (int slot = 0; slot < table.count; ++slot) {
        std::shared_ptr<zyl::TriangleObject> slot_object =
            builder.build(name, slot, vertex_transform);
        if (!slot_object) {
            break;
        }
        if (const MaterialRecord* record = table.records[static_cast<std::size_t>(slot)].get();
            record && record->material) {
            slot_object->set_material(record->material);
        }
        api->emit(*slot_object);
    }
    return true;
}

}  // namespace vsf
