#include "exporter/curve_conversion.h"

#include <memory>
#include <string>

#include "exporter/curve_polygon.h"
#include "exporter/hair_attribute.h"
#include "exporter/narrow_text.h"
#include "exporter/scene_exporter.h"
#include "importers/sceneapi/dev/bezier_curves.h"
#include "importers/sceneapi/dev/curve_material.h"
#include "importers/sceneapi/dev/diffuse_material.h"
#include "plugin/host/bezier_shape.h"
#include "plugin/host/class_id.h"
#include "plugin/host/object.h"

namespace vsf {

namespace {

// The renderer's curve order for cubic Bezier polygons.
constexpr int kCubicOrder = 4;
// Hair thickness is given in the host's hair units: a ten-thousandth of the object's size.
constexpr float kHairRadiusScale = 0.0001f;
// Hue and value variation reach the renderer as fractions.
constexpr float kHueScale = 0.001f;
constexpr float kValueScale = 0.01f;

// The object as the host's spline shape at one time; a temporary made by the conversion is
// disposed of when the holder goes.
class SplineShapeHolder {
  public:
    SplineShapeHolder(host::Object& object, host::TimeValue t)
        : source_(object), converted_(object.convert_to_type(t, host::kSplineShapeClassId)) {}
    ~SplineShapeHolder() {
        if (converted_ && converted_ != &source_) {
            converted_->delete_this();
        }
    }
    SplineShapeHolder(const SplineShapeHolder&) = delete;
    SplineShapeHolder& operator=(const SplineShapeHolder&) = delete;

    host::Object* object() const { return converted_; }
    host::ShapeObject* shape() const {
        return converted_ ? converted_->as_shape_object() : nullptr;
    }

  private:
    host::Object& source_;
    host::Object* converted_;
};

// Hair of two colours varies along the strands; anything else is one plain colour.
std::shared_ptr<zyl::Material> curve_material(const HairAttribute& hair) {
    if (hair.root_color != hair.tip_color) {
        auto material = std::make_shared<zyl::CurveMaterial>("curve");
        material->set_vertex_color(true);
        material->set_hue(hair.hue * kHueScale);
        material->set_value(hair.value * kValueScale);
        return material;
    }
    auto material = std::make_shared<zyl::Diffuse>("curve");
    material->set_color(hair.tip_color.r, hair.tip_color.g, hair.tip_color.b);
    return material;
}

}  // namespace

bool convert_curve(SceneExporter& exporter, host::Node& node) {
    zyl::zylSceneapi_oo* api = exporter.front_end();
    const host::TimeValue time = exporter.current_time();
    host::Object* object = node.eval_world_state(time);
    if (!api || !object) {
        return false;
    }
    exporter.scene_bounds() += object->world_bound_box(time, node);

    // Hair shapes are made afresh for every pass, so they go out whatever the options and the
    // change set say; general shapes follow both.
    const HairAttribute hair = read_hair_attribute(*object, time);
    if (!hair.is_hair && (!exporter.options().general_curves || exporter.skipped_by_update(node))) {
        return false;
    }
    if (!object->can_convert_to(host::kSplineShapeClassId)) {
        return false;
    }
    const SplineShapeHolder converted(*object, time);
    host::ShapeObject* shape = converted.shape();
    if (!shape || (!hair.is_hair && !shape->is_renderable())) {
        return false;
    }
    host::BezierShape bezier;
    if (shape->can_make_bezier()) {
        shape->make_bezier(time, bezier);
    }

    zyl::BezierCurves curves(narrow_text(node.name()));
    curves.set_material(curve_material(hair));
    const std::size_t points = control_point_count(bezier);
    curves.p().reserve(points);
    curves.pr().reserve(points);
    curves.pcol().reserve(points);
    curves.nvertices().reserve(static_cast<std::size_t>(bezier.spline_count()));
    const CurveGradient gradient{hair.start_radius, hair.end_radius, hair.root_color,
                                 hair.tip_color};
    for (const host::Spline3D& spline : bezier.splines) {
        append_spline_curve(spline, gradient, curves);
    }

    const float multiplier = exporter.options().curve_radius_multiplier;
    if (hair.is_hair) {
        const host::Box3 box = object->local_bound_box(time, node);
        curves.set_radius(host::length(box.width()) * multiplier * kHairRadiusScale);
    } else {
        host::Interval valid = host::Interval::forever();
        curves.set_radius(shape->thickness(time, &valid) * multiplier);
    }
    curves.set_order(kCubicOrder);
    api->emit(curves);
    return true;
}

}  // namespace vsf
