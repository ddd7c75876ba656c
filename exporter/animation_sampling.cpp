#include "exporter/animation_sampling.h"

#include "exporter/scene_exporter.h"

namespace vsf {

// Placeholders: the animation sampling fills these in. Until then nothing is sampled: moving nodes
// keep their static transform, cameras are placed by theirs, and deforming meshes write nothing.

void sample_transform_animation(SceneExporter& /*exporter*/, host::Node& /*node*/,
                                const host::Matrix3& /*static_transform*/, bool /*world*/) {}

std::shared_ptr<zyl::FBXAnimation> sample_camera_animation(SceneExporter& /*exporter*/,
                                                           host::Node& /*node*/) {
    return nullptr;
}

bool convert_deforming_mesh(SceneExporter& /*exporter*/, host::Node& /*node*/) {
    return false;
}

}  // namespace vsf
