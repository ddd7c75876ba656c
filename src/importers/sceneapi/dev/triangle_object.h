// An indexed triangle mesh with optional texture coordinates, normals and vertex colours. It
// checks its own consistency before it is written and reports what it finds as #error lines in
// the scene; it can also be written once as a definition and then referenced by id (instancing).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "importers/sceneapi/dev/light_geometry.h"
#include "importers/sceneapi/dev/sceneapi_oo.h"

namespace zyl {

// Texture coordinates and normals are per vertex (in vertex order) while their index array is
// empty, and per triangle corner once it is filled. Vertex colours are always per vertex.
// Large meshes: reserve or resize the arrays through their accessors and fill them in place;
// they are handed to the scene interface whole, never copied.
class TriangleObject : public LightGeometry {
  public:
    // Empty arrays; the material is a new Diffuse named "default" (colour 0.75, 0.5, 0.5).
    explicit TriangleObject(std::string name);

    void add_vertex(float x, float y, float z) { vertices_.push_back({x, y, z}); }
    void add_triangle(int32_t a, int32_t b, int32_t c) {
        triangles_.push_back(a);
        triangles_.push_back(b);
        triangles_.push_back(c);
    }
    void add_uv(float u, float v) {
        uv_.push_back(u);
        uv_.push_back(v);
    }
    void add_normal(float x, float y, float z) { normals_.push_back({x, y, z}); }

    // The arrays themselves, for bulk filling and reading. Three indices per triangle; two floats
    // (u, v) per texture coordinate.
    std::vector<Float3>& vertices() { return vertices_; }
    std::vector<int32_t>& triangles() { return triangles_; }
    std::vector<float>& uv() { return uv_; }
    std::vector<int32_t>& triangles_uv() { return triangles_uv_; }
    std::vector<Float3>& normals() { return normals_; }
    std::vector<int32_t>& triangles_norm() { return triangles_norm_; }
    std::vector<Float3>& vcolors() { return vcolors_; }
    const std::vector<Float3>& vertices() const { return vertices_; }
    const std::vector<int32_t>& triangles() const { return triangles_; }
    const std::vector<float>& uv() const { return uv_; }
    const std::vector<int32_t>& triangles_uv() const { return triangles_uv_; }
    const std::vector<Float3>& normals() const { return normals_; }
    const std::vector<int32_t>& triangles_norm() const { return triangles_norm_; }
    const std::vector<Float3>& vcolors() const { return vcolors_; }

    // Checks the arrays against each other and keeps the findings in error_text (empty when all
    // is well). True when the mesh can be written, i.e. it has triangles; every other finding is
    // reported but does not stop the mesh. A defined mesh returns true without checking.
    bool validate();
    // The findings of the last validation, run together.
    const std::string& error_text() const { return error_text_; }

    // Validates, writes the object with its geometry and material when there are triangles, and
    // then writes the findings, if any, as one #error line. A defined mesh writes an object that
    // references its definition by id.
    void emit(zylSceneapi_oo& api) override;
    // Writes the full mesh as a "#define object" under a new id, then frees the arrays: from then
    // on the mesh is only a reference to that definition. Writes no material and no findings.
    void define(zylSceneapi_oo& api) override;

    // 4 bytes per element of all seven arrays.
    int64_t data_size() const override;

  private:
    void write_geometry(zylSceneapi_oo& api) const;

    std::vector<Float3> vertices_;
    std::vector<int32_t> triangles_;
    std::vector<float> uv_;
    std::vector<int32_t> triangles_uv_;
    std::vector<Float3> normals_;
    std::vector<int32_t> triangles_norm_;
    std::vector<Float3> vcolors_;
    std::string error_text_;
};

}  // namespace zyl
