// What the tree walk and the layer walk share: handing a node's object to the conversion that fits
// it, and writing the node's transform with its animation.
#include "exporter/animation_sampling.h"
#include "exporter/curve_conversion.h"
#include "exporter/mesh_extraction.h"
#include "exporter/row_matrix.h"
#include "exporter/scene_exporter.h"
#include "plugin/host/class_id.h"
#include "plugin/host/object.h"

namespace vsf {

bool SceneExporter::convert_object(host::Node& node, host::Object& object, bool deforming_allowed) {
    switch (object.super_class_id()) {
        case host::kGeomObjectSuperClass: {
            if (object.class_id() == host::kTargetClassId) {
                return false;
            }
            const bool deforming = deforming_allowed && options_->deformable &&
                                   object.is_deformable() &&
                                   !object.validity(anim_start_).covers(anim_start_, anim_end_);
            return deforming ? convert_deforming_mesh(*this, node)
                             : convert_static_mesh(*this, node);
        }
        case host::kLightSuperClass:
            return front_end_ && light_converter_->convert_light(node, *front_end_, current_time_);
        case host::kShapeSuperClass:
            return convert_curve(*this, node);
        default:
            return false;  // cameras have their own pass; helpers carry only a transform
    }
}

void SceneExporter::write_transform(host::Node& node, const host::Matrix3& transform,
                                    const host::Interval& valid, bool converted, bool world) {
    front_end_->transform(row_matrix(transform));
    if (converted && options_->transform_animations && !valid.covers(anim_start_, anim_end_)) {
        sample_transform_animation(*this, node, transform, world);
    }
}

}  // namespace vsf
