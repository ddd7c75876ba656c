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
