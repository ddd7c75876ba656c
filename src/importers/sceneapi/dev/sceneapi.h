// The scene description library's whole public API.
#pragma once

#include "importers/sceneapi/dev/light_factory.h"
#include "importers/sceneapi/dev/light_file_factory.h"
#include "importers/sceneapi/dev/light_module.h"
#include "importers/sceneapi/dev/light_node.h"
#include "importers/sceneapi/dev/scene_api.h"
#include "importers/sceneapi/dev/scene_api_file.h"
#include "importers/sceneapi/dev/sceneapi_oo.h"
#include "importers/sceneapi/dev/shader_blob.h"
#include "importers/sceneapi/dev/value_types.h"

// Scene objects.
#include "importers/sceneapi/dev/animation.h"
#include "importers/sceneapi/dev/area_light_material.h"
#include "importers/sceneapi/dev/bezier_curves.h"
#include "importers/sceneapi/dev/curve_material.h"
#include "importers/sceneapi/dev/deformable_animation.h"
#include "importers/sceneapi/dev/diffuse_material.h"
#include "importers/sceneapi/dev/generic_material.h"
#include "importers/sceneapi/dev/light_camera.h"
#include "importers/sceneapi/dev/light_geometry.h"
#include "importers/sceneapi/dev/material.h"
#include "importers/sceneapi/dev/triangle_object.h"
