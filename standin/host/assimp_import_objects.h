// Imported cameras and lights: their settings in the stand-in's terms and their placement
// relative to the node that carries them. Internal to the assimp import.
#pragma once

#include <optional>

#include "plugin/host/geometry.h"
#include "standin/host/camera_object.h"
#include "standin/host/light_objects.h"

struct aiCamera;
struct aiLight;

namespace standin::assimp_import {

// A camera's lens: its horizontal field of view (a full angle; a missing or impossible one keeps
// the default), clipping distances (not switched on), and whether it is orthographic. from_gltf:
// the camera comes from a glTF file, whose reader in the assimp releases before 5.3 gives the
// vertical field of view times the aspect ratio; the true horizontal angle is made from it.
CameraSettings camera_settings(const aiCamera& camera, bool from_gltf);
// Where the camera sits and looks within its node. A glTF camera sits at its node's origin (the
// glTF reader copies the node's translation into the camera's position, which would count it
// twice).
host::Matrix3 camera_frame(const aiCamera& camera, bool from_gltf);

// Point lights become omni lights, spot lights free spots and directional lights directional
// ones; the colour is normalised to 0 to 1 with its strength as the multiplier. Other kinds
// (ambient, area) give nothing.
std::optional<StandardLightSettings> light_settings(const aiLight& light);
// Where the light sits (and, for spot and directional lights, looks) within its node.
host::Matrix3 light_frame(const aiLight& light);

}  // namespace standin::assimp_import
