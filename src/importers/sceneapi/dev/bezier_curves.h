// A set of curves given as Bezier control polygons, with per-point radius and colour: splines and
// hair. Curves are always written in place; they cannot be instanced.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "importers/sceneapi/dev/light_geometry.h"
#include "importers/sceneapi/dev/sceneapi_oo.h"

namespace zyl {

// The control points of all curves lie one after the other in p; nvertices holds each curve's
// point count in curve order. pr and pcol, when given, hold one radius and one colour per point.
// Large sets: reserve or fill the arrays through their accessors.
class BezierCurves : public LightGeometry {
  public:
    // No order, radius 1, no material, empty arrays.
    explicit BezierCurves(std::string name);

    void add_point(float x, float y, float z) { p_.push_back({x, y, z}); }
    void add_curve(int32_t count) { nvertices_.push_back(count); }
    void add_point_radius(float radius) { pr_.push_back(radius); }
    void add_point_color(float red, float green, float blue) {
        pcol_.push_back({red, green, blue});
    }
    // Zero or less writes no order.
    void set_order(int32_t order) { order_ = order; }
    // The radius of all curves.
    void set_radius(float radius) { radius_ = radius; }

    int32_t order() const { return order_; }
    float radius() const { return radius_; }
    std::vector<Float3>& p() { return p_; }
    std::vector<float>& pr() { return pr_; }
    std::vector<int32_t>& nvertices() { return nvertices_; }
    std::vector<Float3>& pcol() { return pcol_; }
    const std::vector<Float3>& p() const { return p_; }
    const std::vector<float>& pr() const { return pr_; }
    const std::vector<int32_t>& nvertices() const { return nvertices_; }
    const std::vector<Float3>& pcol() const { return pcol_; }

    // Writes an object with a "zyl_curves" geometry and, when there is one, the material. The
    // arrays are written as they are, without checks.
    void emit(zylSceneapi_oo& api) override;
    // Does nothing: curves are not instanced.
    void define(zylSceneapi_oo& api) override;

    // 4 bytes per element of p, pr, nvertices and pcol.
    int64_t data_size() const override;

  private:
    int32_t order_ = -1;
    float radius_ = 1.0f;
    bool fit_to_cubic_ = false;
    std::vector<Float3> p_;
    std::vector<float> pr_;
    std::vector<int32_t> nvertices_;
    std::vector<Float3> pcol_;
};

}  // namespace zyl
