#include "standin/host/shape_object.h"

namespace standin {

namespace {

host::Box3 spline_box(const std::vector<host::Spline3D>& splines, const host::Matrix3& m) {
    host::Box3 box;
    for (const host::Spline3D& s : splines) {
        for (const host::BezierKnot& k : s.knots()) {
            box += k.in_vec * m;
            box += k.knot * m;
            box += k.out_vec * m;
        }
    }
    return box;
}

}  // namespace

SplineShapeObject::SplineShapeObject(ShapeSettings settings, TemporaryCounter counter)
    : ObjectImpl(host::kShapeSuperClass, settings.class_id),
      settings_(std::move(settings)),
      counter_(std::move(counter)) {}

bool SplineShapeObject::can_convert_to(host::ClassId cid) const {
    return cid == host::kSplineShapeClassId || cid == class_id();
}

host::Object* SplineShapeObject::convert_to_type(host::TimeValue t, host::ClassId cid) {
    if (!can_convert_to(cid)) {
        return nullptr;
    }
    evaluate(t);
    if (cid == class_id()) {
        return this;
    }
    ShapeSettings copy = settings_;
    copy.class_id = host::kSplineShapeClassId;
    return new Temporary<SplineShapeObject>(counter_, std::move(copy), counter_);
}

void SplineShapeObject::make_bezier(host::TimeValue, host::BezierShape& shape) {
    shape.splines = settings_.splines;
}

float SplineShapeObject::thickness(host::TimeValue, host::Interval*) {
    return settings_.thickness;
}

host::Box3 SplineShapeObject::world_bound_box(host::TimeValue t, host::Node& node) {
    return spline_box(settings_.splines, node.object_tm(t, nullptr));
}

host::Box3 SplineShapeObject::local_box(host::TimeValue) {
    return spline_box(settings_.splines, host::Matrix3());
}

host::Spline3D polyline_spline(const std::vector<host::Point3>& points) {
    std::vector<host::BezierKnot> knots(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const host::Point3& p = points[i];
        knots[i].knot = p;
        knots[i].in_vec = i > 0 ? p + (points[i - 1] - p) * (1.0f / 3.0f) : p;
        knots[i].out_vec = i + 1 < points.size() ? p + (points[i + 1] - p) * (1.0f / 3.0f) : p;
    }
    return host::Spline3D(std::move(knots), false);
}

}  // namespace standin
