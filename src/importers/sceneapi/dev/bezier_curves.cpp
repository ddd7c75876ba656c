#include "importers/sceneapi/dev/bezier_curves.h"

#include <memory>
#include <utility>

namespace zyl {

BezierCurves::BezierCurves(std::string name) : LightGeometry(std::move(name)) {}

void BezierCurves::emit(zylSceneapi_oo& api) {
    zylScene_api* out = api.api();
    out->begin_object(name_ref().c_str(), true);
    out->begin_geometry("zyl_curves");
    api.param("radius", radius_);
    if (order_ > 0) {
        api.param("order", order_);
    }
    api.param("fitToCubic", fit_to_cubic_);
    api.param("p", p_);
    api.param("nvertices", nvertices_);
    if (!pr_.empty()) {
        api.param("pr", pr_);
    }
    if (!pcol_.empty()) {
        api.param("pcol", pcol_);
    }
    out->end_geometry();
    if (const std::shared_ptr<Material>& material = material_ref()) {
        api.emit(*material);
    }
    out->end_object();
}

void BezierCurves::define(zylSceneapi_oo& /*api*/) {}

int64_t BezierCurves::data_size() const {
    const size_t elements = p_.size() * 3 + pr_.size() + nvertices_.size() + pcol_.size() * 3;
    return 4 * static_cast<int64_t>(elements);
}

}  // namespace zyl
