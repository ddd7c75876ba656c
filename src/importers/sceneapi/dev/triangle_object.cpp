#include "importers/sceneapi/dev/triangle_object.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "importers/sceneapi/dev/diffuse_material.h"

namespace zyl {

namespace {

// Element counts in the findings are numbers of scalars, as the arrays are laid out in the file.
size_t scalar_count(const std::vector<Float3>& values) {
    return values.size() * 3;
}

// True when every index addresses one of `limit` items. Meshes of millions of triangles pass
// here, so the test is branch-free: with last = limit - 1, an index v (as unsigned) is in range
// exactly when neither v nor last - v has the top bit set (a negative index has it in v, one past
// the end gets it from the wrap-around of last - v). Fixed-size blocks let the compiler vectorise.
bool all_in_range(const std::vector<int32_t>& indices, size_t limit) {
    constexpr uint32_t kTopBit = 0x80000000u;
    const uint32_t last = static_cast<uint32_t>(std::min<size_t>(limit, kTopBit)) - 1u;
    const int32_t* data = indices.data();
    const size_t count = indices.size();
    constexpr size_t kBlock = 16;
    uint32_t seen = 0;
    size_t i = 0;
    for (; i + kBlock <= count; i += kBlock) {
        for (size_t j = 0; j < kBlock; ++j) {
            const uint32_t v = static_cast<uint32_t>(data[i + j]);
            seen |= v | (last - v);
        }
    }
    for (; i < count; ++i) {
        const uint32_t v = static_cast<uint32_t>(data[i]);
        seen |= v | (last - v);
    }
    return (seen & kTopBit) == 0;
}

// Appends a finding when some index of `indices` does not address one of `limit` items. Only the
// first offender is named: a broken mesh of millions of triangles must not flood the scene.
void check_index_range(const std::vector<int32_t>& indices, size_t limit, const char* array_name,
                       const char* item_name, std::string& findings) {
    if (all_in_range(indices, limit)) {
        return;
    }
    const auto offender = std::find_if(indices.begin(), indices.end(), [limit](int32_t index) {
        return index < 0 || static_cast<size_t>(index) >= limit;
    });
    findings += array_name;
    findings += " index ";
    findings += std::to_string(*offender);
    findings += " out of range (";
    findings += std::to_string(limit);
    findings += " ";
    findings += item_name;
    findings += ")";
}

// Frees a vector's storage, not only its content.
template <typename T>
void release(std::vector<T>& values) {
    std::vector<T>().swap(values);
}

}  // namespace

TriangleObject::TriangleObject(std::string name) : LightGeometry(std::move(name)) {
    set_material(std::make_shared<Diffuse>("default"));
}

bool TriangleObject::validate() {
    if (is_defined()) {
        return true;
    }
    std::string findings;
    const size_t vertex_count = scalar_count(vertices_);
    if (!normals_.empty() && !triangles_norm_.empty() &&
        triangles_norm_.size() != triangles_.size()) {
        findings += "Normals count does not match number of triangles ";
        findings += std::to_string(triangles_norm_.size());
        findings += " vs ";
        findings += std::to_string(triangles_.size());
    }
    if (!normals_.empty() && triangles_norm_.empty() && scalar_count(normals_) != vertex_count) {
        findings += "Number of normals does not equal number of vertices";
    }
    if (normals_.empty() && !triangles_norm_.empty()) {
        findings += "No normals defined for index";
    }
    if (!uv_.empty() && !triangles_uv_.empty() && triangles_uv_.size() != triangles_.size()) {
        findings += "UV index count does not match triangle count";
    }
    if (!uv_.empty() && triangles_uv_.empty() && 2 * vertex_count != 3 * uv_.size()) {
        findings += "Number of uvs(";
        findings += std::to_string(uv_.size());
        findings += ")  does not match vertex count(";
        findings += std::to_string(vertex_count);
        findings += ")";
    }
    if (!vcolors_.empty() && scalar_count(vcolors_) != vertex_count) {
        findings += "VetexColor count does not match number of vertices";
    }
    // Indices that address nothing would make the renderer read past the arrays it receives.
    if (triangles_.size() % 3 != 0) {
        findings += "Triangle index count ";
        findings += std::to_string(triangles_.size());
        findings += " is not a multiple of 3";
    }
    check_index_range(triangles_, vertices_.size(), "triangles", "vertices", findings);
    if (!uv_.empty()) {
        check_index_range(triangles_uv_, uv_.size() / 2, "triangles_uv", "uvs", findings);
    }
    if (!normals_.empty()) {
        check_index_range(triangles_norm_, normals_.size(), "triangles_norm", "normals", findings);
    }
    if (triangles_.empty()) {
        findings += "No triangles defined";
    }
    error_text_ = std::move(findings);
    return !triangles_.empty();
}

void TriangleObject::write_geometry(zylSceneapi_oo& api) const {
    zylScene_api* out = api.api();
    if (is_defined()) {
        out->begin_geometry("instance");
        api.param("id", instance_id());
        out->end_geometry();
        return;
    }
    out->begin_geometry("triangles");
    api.param("vertices", vertices_);
    api.param("triangles", triangles_);
    if (!triangles_uv_.empty()) {
        api.param("triangles_uv", triangles_uv_);
    }
    if (!uv_.empty()) {
        api.param("uv_tex", uv_);
    }
    if (!triangles_norm_.empty()) {
        api.param("triangles_norm", triangles_norm_);
    }
    if (!normals_.empty()) {
        api.param("normals", normals_);
    }
    if (!vcolors_.empty()) {
        api.param("vcolors", vcolors_);
    }
    out->end_geometry();
}

void TriangleObject::emit(zylSceneapi_oo& api) {
    if (validate()) {
        zylScene_api* out = api.api();
        out->begin_object(name_ref().c_str(), true);
        write_geometry(api);
        // A mesh whose material was cleared is written without one rather than crashing.
        if (const std::shared_ptr<Material>& material = material_ref()) {
            api.emit(*material);
        }
        out->end_object();
    }
    if (!error_text_.empty()) {
        api.error(error_text_);
    }
}

void TriangleObject::define(zylSceneapi_oo& api) {
    zylScene_api* out = api.api();
    out->begin_object(name_ref().c_str(), false);
    const int32_t id = api.new_id();
    write_geometry(api);
    out->end_object();
    release(vertices_);
    release(triangles_);
    release(uv_);
    release(triangles_uv_);
    release(normals_);
    release(triangles_norm_);
    release(vcolors_);
    mark_defined(id);
}

int64_t TriangleObject::data_size() const {
    const size_t elements = scalar_count(vertices_) + triangles_.size() + uv_.size() +
                            triangles_uv_.size() + scalar_count(normals_) + triangles_norm_.size() +
                            scalar_count(vcolors_);
    return 4 * static_cast<int64_t>(elements);
}

}  // namespace zyl
