#include <cmath>
#include <memory>
#include <vector>

#include "exporter/light_converter.h"
#include "exporter/light_emitters.h"
#include "importers/sceneapi/dev/area_light_material.h"
#include "importers/sceneapi/dev/triangle_object.h"

namespace vsf {

namespace {

// Area lights with a diffuse distribution emit over a hemisphere: the intensity covers a
// quarter of what the renderer's mesh light spreads.
constexpr float kDiffuseAreaFactor = 4.0f;
// The sphere light's tessellation: rows and columns of vertices (seam and poles repeated).
constexpr int kSphereSteps = 30;

struct MeshLight {
    std::shared_ptr<zyl::TriangleObject> mesh;
    std::shared_ptr<zyl::AreaLightMaterial> material;
};

// The mesh named after the node and its emissive material named after the node and counter,
// coloured by the light's colour temperature at t.
MeshLight make_mesh_light(host::PhotometricLight& light, const LightNames& names,
                          host::TimeValue t) {
    MeshLight out{std::make_shared<zyl::TriangleObject>(names.object),
                  std::make_shared<zyl::AreaLightMaterial>(names.material)};
    const zyl::Float3 color = kelvin_to_color(light.kelvin(t, nullptr));
    out.material->set_color(color[0], color[1], color[2]);
    return out;
}

// Adds the light's outline to the mesh and returns the number of its vertices.
int add_shape_vertices(const host::PhotometricLight& light, zyl::TriangleObject& mesh) {
    const int count = light.shape(nullptr, 0);
    if (count <= 0) {
        return 0;
    }
    std::vector<host::Point3> points(static_cast<std::size_t>(count));
    const int filled = light.shape(points.data(), count);
    const int n = filled < count ? filled : count;
    for (int i = 0; i < n; ++i) {
        const host::Point3& p = points[static_cast<std::size_t>(i)];
        mesh.add_vertex(p.x, p.y, p.z);
    }
    return n < 0 ? 0 : n;
}

bool emit_mesh_light(const MeshLight& light, zyl::zylSceneapi_oo& api) {
    light.mesh->set_material(light.material);
    api.emit(*light.mesh);
    return !light.mesh->triangles().empty();
}

}  // namespace

bool convert_area_light(host::PhotometricLight& light, zyl::zylSceneapi_oo& api,
                        const LightNames& names, host::TimeValue t) {
    MeshLight out = make_mesh_light(light, names, t);
    const int n = add_shape_vertices(light, *out.mesh);
    if (n == 3) {
        out.mesh->add_triangle(0, 1, 2);
    } else if (n == 4) {
        out.mesh->add_triangle(0, 1, 2);
        out.mesh->add_triangle(0, 2, 3);
    }
    const float factor =
        light.distribution() == host::kDistributionDiffuse ? kDiffuseAreaFactor : 1.0f;
    out.material->set_lumen(light.intensity(0, nullptr) * factor);
    return emit_mesh_light(out, api);
}

bool convert_sphere_light(host::PhotometricLight& light, zyl::zylSceneapi_oo& api,
                          const LightNames& names, host::TimeValue t) {
    MeshLight out = make_mesh_light(light, names, t);
    const float r = light.radius(0, nullptr);
    const float pi = 3.14159265358979f;
    const float k = 1.0f / static_cast<float>(kSphereSteps - 1);
    for (int i = 0; i < kSphereSteps; ++i) {
        const float theta = static_cast<float>(i) * pi * k;
        const float a = std::sin(theta - pi / 2.0f);
        const float s = std::sin(theta);
        for (int j = 0; j < kSphereSteps; ++j) {
            const float phi = static_cast<float>(j) * 2.0f * pi * k;
            const float nx = std::cos(phi) * s;
            const float nz = std::sin(phi) * s;
            out.mesh->add_vertex(nx * r, a * r, nz * r);
            out.mesh->add_normal(nx, a, nz);
        }
    }
    // One quad between each pair of neighbouring rows and columns; c is its top-right corner.
    for (int row = 1; row < kSphereSteps; ++row) {
        for (int col = 1; col < kSphereSteps; ++col) {
            const int c = row * kSphereSteps + col;
            out.mesh->add_triangle(c - kSphereSteps - 1, c - kSphereSteps, c);
            out.mesh->add_triangle(c - kSphereSteps - 1, c, c - 1);
        }
    }
    out.material->set_lumen(light.intensity(0, nullptr));
    return emit_mesh_light(out, api);
}

bool convert_cylinder_light(host::PhotometricLight& light, zyl::zylSceneapi_oo& api,
                            const LightNames& names, host::TimeValue t) {
    MeshLight out = make_mesh_light(light, names, t);
    // The outline holds the two end rings one after the other.
    const int n = add_shape_vertices(light, *out.mesh);
    if (n >= 2) {
        const int h = n / 2;
        const int m = h - 1;
        for (int i = 0; i < m; ++i) {
            out.mesh->add_triangle(0, i, i + 1);
        }
        for (int i = 0; i < m; ++i) {
            out.mesh->add_triangle(h, h + i, h + i + 1);
        }
        for (int i = 0; i < m; ++i) {
            out.mesh->add_triangle(i, h + i, h + i + 1);
            out.mesh->add_triangle(h + i + 1, i + 1, i);
        }
        out.mesh->add_triangle(m, h, 0);
        out.mesh->add_triangle(h, m, n - 1);
    }
    out.material->set_lumen(light.intensity(0, nullptr));
    return emit_mesh_light(out, api);
}

}  // namespace vsf
