// Writes a small built-in demo scene straight through the scene library: a camera, two meshes
// with textured materials, and an animated group.
//
// usage: vsfdemo [OUT.vsf]   ("-" writes to standard output; default demo.vsf)
#include <cmath>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include "importers/sceneapi/dev/sceneapi.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr zyl::Matrix4d kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

zyl::Matrix4d translation(double x, double y, double z) {
    zyl::Matrix4d m = kIdentity;
    m[12] = x;
    m[13] = y;
    m[14] = z;
    return m;
}

zyl::Matrix4d rotation_z(double radians) {
    zyl::Matrix4d m = kIdentity;
    m[0] = std::cos(radians);
    m[1] = std::sin(radians);
    m[4] = -std::sin(radians);
    m[5] = std::cos(radians);
    return m;
}

// A unit cube with one normal per face and texture coordinates per corner.
std::shared_ptr<zyl::TriangleObject> make_cube(const std::string& name) {
    auto cube = std::make_shared<zyl::TriangleObject>(name);
    for (int i = 0; i < 8; ++i) {
        cube->add_vertex(float(i & 1) - 0.5f, float((i >> 1) & 1) - 0.5f, float(i >> 2) - 0.5f);
    }
    const int32_t faces[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                                 {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
    const float normals[6][3] = {{0, 0, -1}, {0, 0, 1},  {0, -1, 0},
                                 {0, 1, 0},  {-1, 0, 0}, {1, 0, 0}};
    const float uv[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (const auto& corner : uv) {
        cube->add_uv(corner[0], corner[1]);
    }
    for (int f = 0; f < 6; ++f) {
        cube->add_normal(normals[f][0], normals[f][1], normals[f][2]);
        cube->add_triangle(faces[f][0], faces[f][1], faces[f][2]);
        cube->add_triangle(faces[f][0], faces[f][2], faces[f][3]);
        cube->triangles_uv().insert(cube->triangles_uv().end(), {0, 1, 2, 0, 2, 3});
        cube->triangles_norm().insert(cube->triangles_norm().end(), {f, f, f, f, f, f});
    }
    return cube;
}

// A flat square of n x n quads in the xy plane, with per-vertex normals and uv.
std::shared_ptr<zyl::TriangleObject> make_floor(const std::string& name, int n, float size) {
    auto floor = std::make_shared<zyl::TriangleObject>(name);
    for (int y = 0; y <= n; ++y) {
        for (int x = 0; x <= n; ++x) {
            floor->add_vertex(size * (float(x) / float(n) - 0.5f),
                              size * (float(y) / float(n) - 0.5f), 0.0f);
            floor->add_normal(0, 0, 1);
            floor->add_uv(4.0f * float(x) / float(n), 4.0f * float(y) / float(n));
        }
    }
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const int32_t a = y * (n + 1) + x, b = a + 1, c = a + n + 1, d = c + 1;
            floor->add_triangle(a, b, d);
            floor->add_triangle(a, d, c);
        }
    }
    return floor;
}

void write_demo(zyl::zylSceneapi_oo& api) {
    zyl::DefaultRTModule options;
    options.set_up_vector(2);
    options.set_merge_groups(false);
    api.emit(options);

    api.begin_group("object");
    zyl::LightCamera camera("Camera01");
    camera.set_position(6, -6, 4);
    camera.set_direction(-0.63f, 0.63f, -0.45f);
    camera.set_up(0, 0, 1);
    camera.set_fov(45);
    camera.set_clipping(0.1f, 1000);
    api.emit(camera);

    api.begin_group("Floor");
    auto floor = make_floor("Floor", 16, 10);
    auto tiles = std::make_shared<zyl::GenericMaterial>("Tiles");
    tiles->set_diffuse_color(0.8f, 0.8f, 0.75f);
    tiles->set_diffuse_texture("textures/tiles.png");
    floor->set_material(tiles);
    api.emit(*floor);
    api.transform(kIdentity);
    api.end_group();

    api.begin_group("Spinner");
    auto cube = make_cube("Cube");
    auto metal = std::make_shared<zyl::GenericMaterial>("Brushed metal");
    metal->set_diffuse_color(0.4f, 0.45f, 0.5f);
    metal->set_specular_color(0.9f, 0.9f, 0.9f);
    metal->set_diffuse_texture("textures/brushed.png");
    metal->set_bump_texture("textures/brushed_bump.png");
    cube->set_material(metal);
    api.emit(*cube);
    const zyl::Matrix4d lifted = translation(0, 0, 1);
    api.transform(lifted);
    // One turn in 24 frames at 33 ms a frame.
    zyl::FBXAnimation spin("Spinner", 0.0f, 24 * 0.033f);
    for (int frame = 0; frame <= 24; ++frame) {
        zyl::Matrix4d m = rotation_z(2 * kPi * frame / 24.0);
        m[14] = 1;
        spin.add_key(frame * 33, m);
    }
    api.emit(spin);
    api.end_group();
    api.end_group();
}

}  // namespace

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : "demo.vsf";
    try {
        zyl::LightFileFactory factory(path);
        {
            zyl::zylSceneapi_oo api(&factory);
            write_demo(api);
        }
        factory.close();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vsfdemo: %s\n", e.what());
        return 1;
    }
    if (path != "-") {
        std::fprintf(stderr, "vsfdemo: wrote %s\n", path.c_str());
    }
    return 0;
}
