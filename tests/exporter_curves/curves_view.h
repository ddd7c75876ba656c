// The curves objects of an exported scene file, as plain numbers: control points, counts, radii,
// colours, radius, order and material.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plugin/host/bezier_shape.h"
#include "tools/vsfreader/reader.h"

namespace curves_test {

struct CurvesView {
    std::string name;
    std::vector<float> points;  // x y z per control point
    std::vector<std::int32_t> counts;
    std::vector<float> radii;
    std::vector<float> colors;  // r g b per control point
    double radius = 0;
    int order = -1;
    const vsf::Block* material = nullptr;

    std::size_t point_count() const { return points.size() / 3; }
};

inline const vsf::Array* array_of(const vsf::Block& block, const char* name) {
    const vsf::Param* param = block.param(name);
    return param ? param->array() : nullptr;
}

// Every object of the document whose geometry is "zyl_curves", in file order.
inline std::vector<CurvesView> curves_in(const vsf::Document& document) {
    std::vector<CurvesView> found;
    for (const vsf::Block* object : document.root.find_all("object")) {
        const vsf::Block* geometry = object->block("geometry");
        if (!geometry || geometry->name() != "zyl_curves") {
            continue;
        }
        CurvesView view;
        view.name = object->name();
        if (const vsf::Array* p = array_of(*geometry, "p")) {
            view.points = p->floats;
        }
        if (const vsf::Array* n = array_of(*geometry, "nvertices")) {
            view.counts = n->ints;
        }
        if (const vsf::Array* pr = array_of(*geometry, "pr")) {
            view.radii = pr->floats;
        }
        if (const vsf::Array* pcol = array_of(*geometry, "pcol")) {
            view.colors = pcol->floats;
        }
        if (const vsf::Param* radius = geometry->param("radius"); radius && radius->value()) {
            view.radius = radius->value()->number;
        }
        if (const vsf::Param* order = geometry->param("order"); order && order->value()) {
            view.order = order->value()->as_int();
        }
        view.material = object->block("material");
        found.push_back(std::move(view));
    }
    return found;
}

// The control polygon that a spline should give: the first knot, then per segment the out-handle,
// the next knot's in-handle and the next knot (the first again at the end of a closed spline).
inline std::vector<float> expected_polygon(const host::Spline3D& spline) {
    std::vector<float> out;
    const auto push = [&out](const host::Point3& p) {
        out.push_back(p.x);
        out.push_back(p.y);
        out.push_back(p.z);
    };
    const int n = spline.knot_count();
    push(spline.knot(0).knot);
    for (int j = 0; j < spline.segment_count(); ++j) {
        const host::BezierKnot& next = spline.knot((j + 1) % n);
        push(spline.knot(j).out_vec);
        push(next.in_vec);
        push(next.knot);
    }
    return out;
}

}  // namespace curves_test
