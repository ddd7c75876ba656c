// Spline shapes of the stand-in scene.
#pragma once

#include <vector>

#include "plugin/host/bezier_shape.h"
#include "plugin/host/class_id.h"
#include "standin/host/object_base.h"

namespace standin {

struct ShapeSettings {
    std::vector<host::Spline3D> splines;  // in the shape's own space
    bool renderable = false;              // the shape's "render" switch
    float thickness = 1.0f;               // rendering thickness
    // kSplineShapeClassId for an editable spline; other classes (primitives such as a circle)
    // convert to an editable spline as temporaries.
    host::ClassId class_id = host::kSplineShapeClassId;
};

class SplineShapeObject : public ObjectImpl<host::ShapeObject> {
  public:
    SplineShapeObject(ShapeSettings settings, TemporaryCounter counter);

    const ShapeSettings& settings() const { return settings_; }
    void set_settings(ShapeSettings settings) { settings_ = std::move(settings); }

    bool is_deformable() const override { return true; }
    bool is_renderable() const override { return settings_.renderable; }
    bool can_convert_to(host::ClassId cid) const override;
    host::Object* convert_to_type(host::TimeValue t, host::ClassId cid) override;
    bool can_make_bezier() const override { return true; }
    void make_bezier(host::TimeValue t, host::BezierShape& shape) override;
    float thickness(host::TimeValue t, host::Interval* valid) override;
    host::Box3 world_bound_box(host::TimeValue t, host::Node& node) override;

  protected:
    host::Box3 local_box(host::TimeValue t) override;

  private:
    ShapeSettings settings_;
    TemporaryCounter counter_;
};

// An open spline through points, every segment straight: each handle lies a third of the way to
// the neighbouring knot (at the knot itself at the two ends).
host::Spline3D polyline_spline(const std::vector<host::Point3>& points);

}  // namespace standin
