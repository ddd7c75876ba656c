// Sampled animation: node transforms and cameras as time-stamped matrices, and deforming meshes
// as one mesh per frame.
#pragma once

#include <memory>

#include "importers/sceneapi/dev/animation.h"
#include "plugin/host/geometry.h"
#include "plugin/host/node.h"

namespace vsf {

class SceneExporter;

// Samples node's transform over the animation range relative to static_transform, the transform
// just written (world: in layer mode the world transform, else the one relative to the parent),
// and writes the animation inside the node's open group when the node moves.
void sample_transform_animation(SceneExporter& exporter, host::Node& node,
                                const host::Matrix3& static_transform, bool world);

// The camera node's world transform at every frame of the animation range; empty when nothing
// could be sampled (the caller then places the camera with its static transform).
std::shared_ptr<zyl::FBXAnimation> sample_camera_animation(SceneExporter& exporter,
                                                           host::Node& node);

// Converts a mesh whose shape changes over the animation range: one deformable animation per
// material slot, each holding the slot's mesh at every frame where the mesh has faces (frame
// numbers and times keep their gaps). Nothing for an unchanged node in a live update; a cancel
// ends the sampling and writes what was gathered. True when it wrote at least one.
bool convert_deforming_mesh(SceneExporter& exporter, host::Node& node);

}  // namespace vsf
