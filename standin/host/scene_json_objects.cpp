#include "standin/host/scene_json_objects.h"

#include <climits>

#include "standin/host/scene_json_materials.h"

namespace standin::scene_json {

namespace {

constexpr float kDegreesToRadians = 0.017453292519943295f;

constexpr NamedCode kStandardLightTypes[] = {
    {"omni", host::kOmniLight},
    {"target_spot", host::kTargetSpotLight},
    {"directional", host::kDirectionalLight},
    {"free_spot", host::kFreeSpotLight},
    {"target_directional", host::kTargetDirectionalLight},
};

constexpr NamedCode kPhotometricTypes[] = {
    {"target_point", host::kPhotometricTargetPoint},
    {"free_point", host::kPhotometricFreePoint},
    {"target_area", host::kPhotometricTargetArea},
    {"free_area", host::kPhotometricFreeArea},
    {"sphere", host::kPhotometricSphere},
    {"cylinder", host::kPhotometricCylinder},
};

constexpr NamedCode kDistributions[] = {
    {"isotropic", host::kDistributionIsotropic},
    {"spot", host::kDistributionSpot},
    {"diffuse", host::kDistributionDiffuse},
    {"web", host::kDistributionWeb},
};

host::Spline3D read_spline(const Value& v) {
    v.require_object("a spline {\"closed\", \"knots\"} or {\"closed\", \"points\"}",
                     {"closed", "knots", "points"});
    const bool closed = bool_or(v, "closed", false);
    const std::optional<Value> knots = v.find("knots");
    const std::optional<Value> points = v.find("points");
    if (knots.has_value() == points.has_value()) {
        v.expected("either \"knots\" or \"points\"");
    }
    if (points) {
        std::vector<host::Point3> p;
        read_points(*points, p);
        return host::Spline3D(polyline_spline(p).knots(), closed);
    }
    const std::size_t n = knots->array_size("an array of knots {\"point\", \"in\", \"out\"}");
    std::vector<host::BezierKnot> out(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Value k = knots->element(i);
        k.require_object("a knot {\"point\", \"in\", \"out\"}", {"point", "in", "out"});
        out[i].knot = k.at("point", "a point [x, y, z]").as_point3();
        out[i].in_vec = point3_or(k, "in", out[i].knot);
        out[i].out_vec = point3_or(k, "out", out[i].knot);
    }
    return host::Spline3D(std::move(out), closed);
}

}  // namespace

CameraSettings read_camera(const Value& v) {
    v.require_object(
        "a camera {\"fov\", \"orthographic\", \"target_distance\", \"manual_clip\", "
        "\"near_clip\", \"far_clip\", \"targeted\"}",
        {"fov", "orthographic", "target_distance", "manual_clip", "near_clip", "far_clip",
         "targeted"});
    CameraSettings c;
    if (const auto fov = v.find("fov")) {
        const float degrees = fov->as_float();
        if (!(degrees > 0.0f && degrees < 180.0f)) {
            fov->expected("a field of view in degrees, above 0 and below 180");
        }
        c.fov = degrees * kDegreesToRadians;
    }
    c.orthographic = bool_or(v, "orthographic", c.orthographic);
    c.target_distance = float_or(v, "target_distance", c.target_distance);
    c.manual_clip = bool_or(v, "manual_clip", c.manual_clip);
    c.near_clip = float_or(v, "near_clip", c.near_clip);
    c.far_clip = float_or(v, "far_clip", c.far_clip);
    c.targeted = bool_or(v, "targeted", c.targeted);
    return c;
}

StandardLightSettings read_standard_light(const Value& v) {
    v.require_object("a light {\"type\", \"multiplier\", \"color\"}",
                     {"type", "multiplier", "color"});
    StandardLightSettings s;
    if (const auto type = v.find("type")) {
        s.type = named_code(*type, kStandardLightTypes, 0, 4);
    }
    s.multiplier = float_or(v, "multiplier", s.multiplier);
    s.color = color_or(v, "color", s.color);
    return s;
}

PhotometricLightSettings read_photometric_light(const Value& v) {
    v.require_object("a photometric light {\"type\", \"distribution\", \"intensity\", ...}",
                     {"type", "distribution", "intensity", "kelvin", "radius", "shape", "web_file",
                      "web_rotation", "color"});
    PhotometricLightSettings s;
    if (const auto type = v.find("type")) {
        s.type = named_code(*type, kPhotometricTypes, 0, INT_MAX);
    }
    if (const auto d = v.find("distribution")) {
        s.distribution = named_code(*d, kDistributions, 0, INT_MAX);
    }
    s.intensity = float_or(v, "intensity", s.intensity);
    s.kelvin = float_or(v, "kelvin", s.kelvin);
    s.radius = float_or(v, "radius", s.radius);
    if (const auto shape = v.find("shape")) {
        read_points(*shape, s.shape);
    }
    if (const auto file = v.find("web_file")) {
        s.web_file = file->as_text();
    }
    s.web_rotation = point3_or(v, "web_rotation", s.web_rotation);
    s.color = color_or(v, "color", s.color);
    return s;
}

SkyLightSettings read_sky_light(const ReadContext& ctx, const Value& v) {
    v.require_object("a sky light {\"multiplier\", \"color\", \"map\"}",
                     {"multiplier", "color", "map"});
    SkyLightSettings s;
    s.multiplier = float_or(v, "multiplier", s.multiplier);
    s.color = color_or(v, "color", s.color);
    if (const auto map = v.find("map")) {
        s.map = map_reference(ctx, *map);
    }
    return s;
}

ShapeSettings read_shape(const Value& v) {
    v.require_object("a shape {\"splines\", \"renderable\", \"thickness\", \"class_id\"}",
                     {"splines", "renderable", "thickness", "class_id"});
    ShapeSettings s;
    const Value splines = v.at("splines", "an array of splines");
    const std::size_t n = splines.array_size("an array of splines");
    s.splines.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        s.splines.push_back(read_spline(splines.element(i)));
    }
    s.renderable = bool_or(v, "renderable", s.renderable);
    s.thickness = float_or(v, "thickness", s.thickness);
    if (const auto cid = v.find("class_id")) {
        s.class_id = cid->as_class_id();
    }
    return s;
}

void read_custom_attributes(const ReadContext& ctx, const Value& array, SceneObject& object) {
    const std::size_t n = array.array_size("an array of custom attributes");
    for (std::size_t i = 0; i < n; ++i) {
        const Value a = array.element(i);
        a.require_object("a custom attribute {\"name\", \"blocks\"}", {"name", "blocks"});
        CustomAttribute& attribute = object.add_custom_attribute(a.at("name", "a text").as_text());
        if (const auto blocks = a.find("blocks")) {
            read_param_blocks(ctx, *blocks, attribute);
        }
    }
}

}  // namespace standin::scene_json
