// Converting a shape of 200,000 four-segment splines (2,600,000 control points, as dense hair
// gives) through the exporter into a scene file, against the least that any conversion does, in
// the same run: filling the same curves object straight from the knots into fresh arrays and
// writing it to the same place. The ratio is what the exporter's way costs beyond that: the
// host's copy of the splines, the bounds, radii and colours along every curve (target: at most 2).
//
// usage: curve_conversion_bench [FOLDER] [REPEATS]   (FOLDER defaults to /dev/shm)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "exporter/options.h"
#include "exporter/scene_exporter.h"
#include "importers/sceneapi/dev/sceneapi.h"
#include "standin/host/scene.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kSplines = 200000;
constexpr int kKnots = 5;

double seconds_since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

standin::ShapeSettings dense_shape() {
    standin::ShapeSettings shape;
    shape.renderable = true;
    shape.thickness = 0.01f;
    shape.splines.reserve(kSplines);
    std::vector<host::Point3> points(kKnots);
    for (int s = 0; s < kSplines; ++s) {
        const float x = float(s % 500) * 0.01f;
        const float y = float(s / 500) * 0.01f;
        for (int k = 0; k < kKnots; ++k) {
            points[std::size_t(k)] = {x + 0.001f * float(k * k), y, 0.02f * float(k)};
        }
        shape.splines.push_back(standin::polyline_spline(points));
    }
    return shape;
}

double time_export(standin::Scene& scene, const std::shared_ptr<vsf::Options>& options,
                   const std::string& path) {
    const auto start = Clock::now();
    vsf::SceneExporter exporter(scene, scene.root(), options, {});
    exporter.export_scene(path, false, true, false);
    return seconds_since(start);
}

// The curves object that the conversion writes, filled directly.
zyl::BezierCurves filled_curves(const standin::ShapeSettings& shape) {
    zyl::BezierCurves curves("Dense");
    const std::size_t points = std::size_t(kSplines) * (3 * (kKnots - 1) + 1);
    curves.p().reserve(points);
    curves.pr().assign(points, 1.0f);
    curves.pcol().assign(points, {0.8f, 0.8f, 0.8f});
    for (const host::Spline3D& spline : shape.splines) {
        curves.add_point(spline.knot(0).knot.x, spline.knot(0).knot.y, spline.knot(0).knot.z);
        for (int j = 0; j + 1 < kKnots; ++j) {
            const host::Point3& a = spline.knot(j).out_vec;
            const host::Point3& b = spline.knot(j + 1).in_vec;
            const host::Point3& c = spline.knot(j + 1).knot;
            curves.add_point(a.x, a.y, a.z);
            curves.add_point(b.x, b.y, b.z);
            curves.add_point(c.x, c.y, c.z);
        }
        curves.add_curve(3 * (kKnots - 1) + 1);
    }
    auto material = std::make_shared<zyl::Diffuse>("curve");
    material->set_color(0.8f, 0.8f, 0.8f);
    curves.set_material(material);
    curves.set_radius(0.01f);
    curves.set_order(4);
    return curves;
}

double time_fill_and_write(const standin::ShapeSettings& shape, const std::string& path,
                           std::size_t& points) {
    const auto start = Clock::now();
    {
        zyl::BezierCurves curves = filled_curves(shape);
        points = curves.p().size();
        zyl::LightFileFactory factory(path);
        zyl::zylSceneapi_oo api(&factory);
        api.emit(curves);
        factory.close();
    }
    return seconds_since(start);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "/dev/shm";
    const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const std::string path = folder + "/vsf-bench-curves.vsf";
    const std::string write_path = folder + "/vsf-bench-curves-write.vsf";

    standin::Scene scene;
    const standin::ShapeSettings shape = dense_shape();
    scene.add_shape_node(u"Dense", shape);
    auto options = std::make_shared<vsf::Options>();
    options->general_curves = true;
    options->hair_and_fur = false;
    std::size_t points = 0;

    time_export(scene, options, path);  // warm up the pages of the targets
    time_fill_and_write(shape, write_path, points);
    // Interleaved runs, best of each, so both see the same machine state.
    double best_export = 1e30, best_write = 1e30;
    for (int i = 0; i < repeats; ++i) {
        best_export = std::min(best_export, time_export(scene, options, path));
        best_write = std::min(best_write, time_fill_and_write(shape, write_path, points));
    }

    std::printf("shape: %d splines, %zu control points\n", kSplines, points);
    std::printf(
        "file: %ju bytes; conversion and write %.4f s, direct fill and write %.4f s (best of %d)\n",
        std::filesystem::file_size(path), best_export, best_write, repeats);
    std::printf("ratio conversion/direct: %.3f (target <= 2)\n", best_export / best_write);
    std::filesystem::remove(path);
    std::filesystem::remove(write_path);
    return 0;
}
