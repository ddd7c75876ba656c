// The objects of JSON scene nodes other than meshes: cameras, standard, photometric and sky
// lights, spline shapes, and the custom attributes any object can carry. Internal to the JSON
// scene reader.
#pragma once

#include "standin/host/scene_json_context.h"
#include "standin/host/scene_json_value.h"

namespace standin::scene_json {

CameraSettings read_camera(const Value& v);
StandardLightSettings read_standard_light(const Value& v);
PhotometricLightSettings read_photometric_light(const Value& v);
SkyLightSettings read_sky_light(const ReadContext& ctx, const Value& v);
ShapeSettings read_shape(const Value& v);
// Adds each attribute of a "custom_attributes" array to object, with its parameter blocks.
void read_custom_attributes(const ReadContext& ctx, const Value& array, SceneObject& object);

}  // namespace standin::scene_json
