#include "standin/host/demo_scene_geometry.h"

#include <cmath>

namespace standin::demo {

namespace {

constexpr float kPi = 3.14159265358979f;

host::Face face(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    host::Face f;
    f.v = {a, b, c};
    f.smoothing_group = 1;
    return f;
}

}  // namespace

host::Mesh make_grid(int nx, int ny, float size_x, float size_y) {
    host::Mesh mesh;
    const auto columns = static_cast<std::uint32_t>(nx + 1);
    mesh.verts.reserve(static_cast<std::size_t>((nx + 1) * (ny + 1)));
    mesh.maps.resize(2);
    host::MapChannel& uv = mesh.maps[1];
    uv.verts.reserve(mesh.verts.capacity());
    for (int j = 0; j <= ny; ++j) {
        for (int i = 0; i <= nx; ++i) {
            const float u = static_cast<float>(i) / static_cast<float>(nx);
            const float v = static_cast<float>(j) / static_cast<float>(ny);
            mesh.verts.emplace_back((u - 0.5f) * size_x, (v - 0.5f) * size_y, 0.0f);
            uv.verts.emplace_back(u, v, 0.0f);
        }
    }
    mesh.faces.reserve(static_cast<std::size_t>(2 * nx * ny));
    uv.faces.reserve(mesh.faces.capacity());
    for (int j = 0; j < ny; ++j) {
        for (int i = 0; i < nx; ++i) {
            const auto a = static_cast<std::uint32_t>(j) * columns + static_cast<std::uint32_t>(i);
            const std::uint32_t b = a + 1;
            const std::uint32_t c = a + columns + 1;
            const std::uint32_t d = a + columns;
            mesh.faces.push_back(face(a, b, c));
            mesh.faces.push_back(face(a, c, d));
            uv.faces.push_back({a, b, c});
            uv.faces.push_back({a, c, d});
        }
    }
    return mesh;
}

host::Mesh make_sphere(float radius, int segments, int rings) {
    host::Mesh mesh;
    const auto segs = static_cast<std::uint32_t>(segments);
    // Positions: north pole, rings 1 to rings - 1 of segs vertices each, south pole.
    mesh.verts.emplace_back(0.0f, 0.0f, radius);
    for (int r = 1; r < rings; ++r) {
        const float theta = kPi * static_cast<float>(r) / static_cast<float>(rings);
        for (int s = 0; s < segments; ++s) {
            const float phi = 2.0f * kPi * static_cast<float>(s) / static_cast<float>(segments);
            mesh.verts.emplace_back(radius * std::sin(theta) * std::cos(phi),
                                    radius * std::sin(theta) * std::sin(phi),
                                    radius * std::cos(theta));
        }
    }
    const auto south = static_cast<std::uint32_t>(mesh.verts.size());
    mesh.verts.emplace_back(0.0f, 0.0f, -radius);
    auto ring = [&](int r, int s) {
        return 1 + static_cast<std::uint32_t>(r - 1) * segs + static_cast<std::uint32_t>(s) % segs;
    };
    // Texture points: a (segments + 1) x (rings + 1) grid, u around, v from south to north.
    mesh.maps.resize(2);
    host::MapChannel& uv = mesh.maps[1];
    for (int r = 0; r <= rings; ++r) {
        for (int s = 0; s <= segments; ++s) {
            uv.verts.emplace_back(static_cast<float>(s) / static_cast<float>(segments),
                                  1.0f - static_cast<float>(r) / static_cast<float>(rings), 0.0f);
        }
    }
    auto tex = [&](int r, int s) {
        return static_cast<std::uint32_t>(r) * (segs + 1) + static_cast<std::uint32_t>(s);
    };
    for (int s = 0; s < segments; ++s) {
        mesh.faces.push_back(face(0, ring(1, s), ring(1, s + 1)));
        uv.faces.push_back({tex(0, s), tex(1, s), tex(1, s + 1)});
        for (int r = 1; r + 1 < rings; ++r) {
            mesh.faces.push_back(face(ring(r, s), ring(r + 1, s), ring(r + 1, s + 1)));
            uv.faces.push_back({tex(r, s), tex(r + 1, s), tex(r + 1, s + 1)});
            mesh.faces.push_back(face(ring(r, s), ring(r + 1, s + 1), ring(r, s + 1)));
            uv.faces.push_back({tex(r, s), tex(r + 1, s + 1), tex(r, s + 1)});
        }
        mesh.faces.push_back(face(ring(rings - 1, s), south, ring(rings - 1, s + 1)));
        uv.faces.push_back({tex(rings - 1, s), tex(rings, s), tex(rings - 1, s + 1)});
    }
    return mesh;
}

std::vector<std::vector<host::Point3>> make_strands(float radius, int count, int points_per_strand,
                                                    float length) {
    std::vector<std::vector<host::Point3>> strands(static_cast<std::size_t>(count));
    const float golden = kPi * (3.0f - std::sqrt(5.0f));
    for (int i = 0; i < count; ++i) {
        // Even spread over the sphere: a Fibonacci lattice.
        const float z = 1.0f - 2.0f * (static_cast<float>(i) + 0.5f) / static_cast<float>(count);
        const float r = std::sqrt(1.0f - z * z);
        const float phi = golden * static_cast<float>(i);
        const host::Point3 n(r * std::cos(phi), r * std::sin(phi), z);
        std::vector<host::Point3>& strand = strands[static_cast<std::size_t>(i)];
        strand.reserve(static_cast<std::size_t>(points_per_strand));
        for (int k = 0; k < points_per_strand; ++k) {
            const float t = static_cast<float>(k) / static_cast<float>(points_per_strand - 1);
            strand.push_back(n * (radius + length * t) -
                             host::Point3(0.0f, 0.0f, 0.3f * length * t * t));
        }
    }
    return strands;
}

host::Spline3D make_helix(float radius, float height, int turns, int knots_per_turn) {
    const int n = turns * knots_per_turn + 1;
    auto point = [&](int i) {
        const float a = 2.0f * kPi * static_cast<float>(i) / static_cast<float>(knots_per_turn);
        return host::Point3(radius * std::cos(a), radius * std::sin(a),
                            height * static_cast<float>(i) / static_cast<float>(n - 1));
    };
    std::vector<host::BezierKnot> knots(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        // Catmull-Rom tangents as Bezier handles: a third of the way along the tangent.
        const host::Point3 tangent = (point(i + 1) - point(i - 1)) * (1.0f / 6.0f);
        host::BezierKnot& k = knots[static_cast<std::size_t>(i)];
        k.knot = point(i);
        k.in_vec = k.knot - tangent;
        k.out_vec = k.knot + tangent;
    }
    return host::Spline3D(std::move(knots), false);
}

}  // namespace standin::demo
