#include "standin/host/demo_scene.h"

#include <cmath>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "platform/utf.h"
#include "standin/host/demo_scene_geometry.h"
#include "standin/host/demo_scene_images.h"

namespace standin {

namespace {

namespace fs = std::filesystem;

constexpr float kPi = 3.14159265358979f;
constexpr int kFrames = 120;
constexpr int kTicksPerFrame = 160;
constexpr host::TimeValue kEnd = kFrames * kTicksPerFrame;

// The rotation that makes a camera (looking down its own -z, +y up) at eye look at target with
// world +z up.
Quat look_at(const host::Point3& eye, const host::Point3& target) {
    const host::Point3 z = host::normalize(eye - target);
    const host::Point3 x = host::normalize(host::cross(host::Point3(0.0f, 0.0f, 1.0f), z));
    const host::Point3 y = host::cross(z, x);
    return Quat::from_matrix(host::Matrix3(x, y, z, host::Point3()));
}

std::string write_image(const fs::path& folder, const char* name,
                        bool (*write)(const std::string&)) {
    const std::string path = (folder / name).u8string();
    if (!write(path)) {
        throw std::runtime_error("cannot write the demo image " + path);
    }
    return path;
}

void add_camera(Scene& scene) {
    CameraSettings lens;
    lens.fov = 50.0f * kPi / 180.0f;
    Node& camera = scene.add_camera_node(u"Camera", lens);
    // A quarter circle around the stage, one key every ten frames.
    const host::Point3 target(0.0f, 0.0f, 1.0f);
    for (int frame = 0; frame <= kFrames; frame += 10) {
        const float a = -0.5f * kPi + 0.5f * kPi * static_cast<float>(frame) / kFrames;
        const host::Point3 eye(9.0f * std::cos(a), 9.0f * std::sin(a), 3.5f);
        camera.add_position_key(frame * kTicksPerFrame, eye);
        camera.add_rotation_key(frame * kTicksPerFrame, look_at(eye, target));
    }
}

void add_lights(Scene& scene, host::Texmap& sky_map) {
    PhotometricLightSettings softbox;
    softbox.type = host::kPhotometricFreeArea;
    softbox.distribution = host::kDistributionDiffuse;
    softbox.intensity = 1500.0f;
    softbox.kelvin = 5600.0f;
    softbox.shape = {
        {-0.75f, -0.75f, 0.0f}, {0.75f, -0.75f, 0.0f}, {0.75f, 0.75f, 0.0f}, {-0.75f, 0.75f, 0.0f}};
    scene.add_photometric_light_node(u"Softbox", softbox)
        .set_transform(host::Matrix3::translation({0.0f, -2.0f, 4.0f}));

    PhotometricLightSettings bulb;
    bulb.type = host::kPhotometricFreePoint;
    bulb.intensity = 800.0f;
    bulb.kelvin = 2700.0f;
    scene.add_photometric_light_node(u"Bulb", bulb)
        .set_transform(host::Matrix3::translation({3.0f, -3.0f, 2.5f}));

    StandardLightSettings fill;
    fill.type = host::kOmniLight;
    fill.multiplier = 0.4f;
    fill.color = host::Color(0.75f, 0.85f, 1.0f);
    scene.add_standard_light_node(u"Fill", fill)
        .set_transform(host::Matrix3::translation({-4.0f, -4.0f, 3.0f}));

    SkyLightSettings sky;
    sky.map = &sky_map;
    scene.add_sky_light_node(u"Sky", sky)
        .set_transform(host::Matrix3::translation({0.0f, 0.0f, 6.0f}));
}

// A flag on a pole: a grid in the xz plane whose free end waves, one key every ten frames.
void add_flag(Scene& scene, host::Material& material) {
    host::Mesh cloth = demo::make_grid(12, 6, 2.4f, 1.2f);
    for (host::Point3& p : cloth.verts) {
        p = host::Point3(p.x + 1.2f, 0.0f, p.y);  // the pole side at x = 0
    }
    Node& flag = scene.add_mesh_node(u"Flag", cloth);
    flag.set_transform(host::Matrix3::translation({4.0f, 0.0f, 1.5f}));
    flag.set_material(&material);
    MeshObject& object = *flag.mesh_object();
    for (int frame = 0; frame <= kFrames; frame += 10) {
        std::vector<host::Point3> verts = object.base_mesh().verts;
        for (host::Point3& p : verts) {
            const float phase = 2.0f * kPi * (p.x / 1.2f - static_cast<float>(frame) / 40.0f);
            p.y = 0.25f * (p.x / 2.4f) * std::sin(phase);
        }
        object.add_vertex_key(frame * kTicksPerFrame, verts);
    }
}

}  // namespace

void build_demo_scene(Scene& scene, const std::string& image_folder) {
    const fs::path folder = fs::u8path(image_folder);
    std::error_code ec;
    fs::create_directories(folder, ec);
    const std::string planks_file =
        write_image(fs::absolute(folder, ec), "demo_planks.png", demo::write_planks_image);
    const std::string sky_file =
        write_image(fs::absolute(folder, ec), "demo_sky.png", demo::write_sky_image);

    scene.set_ticks_per_frame(kTicksPerFrame);
    scene.set_animation_range(0, kEnd);

    // Maps and materials.
    BitmapTexture& planks_map =
        scene.add_bitmap_texture(u"Planks", platform::utf8_to_utf16(planks_file));
    MapCoordinates tiled;
    tiled.u_tiling = 3.0f;
    tiled.v_tiling = 3.0f;
    planks_map.set_coordinates(tiled);
    CheckerMap& tiles = scene.add_checker_map(u"Tiles");
    tiles.color1 = host::Color(0.9f, 0.88f, 0.82f);
    tiles.color2 = host::Color(0.15f, 0.3f, 0.55f);
    NoiseMap& grain = scene.add_noise_map(u"Grain");
    grain.size = 0.05f;
    BitmapTexture& sky_map = scene.add_bitmap_texture(u"Sky", platform::utf8_to_utf16(sky_file));

    StandardMaterial& planks = scene.add_standard_material(u"Planks");
    planks.set_map(kDiffuseSlot, &planks_map);
    planks.set_specular(host::Color(0.2f, 0.2f, 0.2f));
    planks.set_specular_level(0.2f);
    StandardMaterial& ceramic = scene.add_standard_material(u"Ceramic");
    ceramic.set_map(kDiffuseSlot, &tiles);
    ceramic.set_map(kBumpSlot, &grain);
    ceramic.set_specular(host::Color(1.0f, 1.0f, 1.0f));
    ceramic.set_specular_level(0.6f);
    ceramic.set_shininess(0.5f);
    MultiMaterial& pedestal_material = scene.add_multi_material(u"Pedestal", 2);
    pedestal_material.set_sub_material(0, &planks);
    pedestal_material.set_sub_material(1, &ceramic);

    // Geometry: the floor, and the stage with its pedestal and turning globe.
    Node& floor = scene.add_mesh_node(u"Floor", demo::make_grid(20, 20, 12.0f, 12.0f));
    floor.set_material(&planks);
    Node& stage = scene.add_helper_node(u"Stage");
    Node& pedestal = scene.add_mesh_node(u"Pedestal", make_box_mesh({2.0f, 2.0f, 1.0f}), &stage);
    pedestal.set_transform(host::Matrix3::translation({0.0f, 0.0f, 0.5f}));
    pedestal.set_material(&pedestal_material);
    Node& globe = scene.add_mesh_node(u"Globe", demo::make_sphere(0.8f, 32, 16), &pedestal);
    globe.set_transform(host::Matrix3::translation({0.0f, 0.0f, 1.3f}));
    globe.set_material(&ceramic);
    for (int step = 0; step <= 3; ++step) {
        globe.add_rotation_key(step * kEnd / 3, Quat::from_axis_angle(host::Point3(0, 0, 1),
                                                                      step * 2.0f * kPi / 3.0f));
    }

    add_flag(scene, ceramic);

    ShapeSettings ribbon;
    ribbon.splines.push_back(demo::make_helix(0.6f, 2.5f, 3, 8));
    ribbon.renderable = true;
    ribbon.thickness = 0.04f;
    scene.add_shape_node(u"Ribbon", ribbon)
        .set_transform(host::Matrix3::translation({3.0f, 2.5f, 0.0f}));

    Node& furball = scene.add_mesh_node(u"Furball", demo::make_sphere(0.5f, 24, 12));
    furball.set_transform(host::Matrix3::translation({-3.0f, 2.0f, 0.5f}));
    furball.set_material(&ceramic);
    HairSettings hair;
    hair.root_thickness = 2.0f;
    hair.tip_thickness = 0.5f;
    hair.root_color = host::Color(0.35f, 0.12f, 0.05f);
    hair.tip_color = host::Color(0.98f, 0.82f, 0.45f);
    hair.strands = demo::make_strands(0.5f, 400, 5, 0.35f);
    furball.mesh_object()->set_hair(std::move(hair));

    scene.set_current_layer(scene.add_layer(u"Lights"));
    add_lights(scene, sky_map);
    scene.set_current_layer(scene.add_layer(u"Cameras"));
    add_camera(scene);
    scene.set_current_layer(scene.default_layer());
}

}  // namespace standin
