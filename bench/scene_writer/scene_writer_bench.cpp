// Writing a 2,000,000-triangle mesh with normals and texture coordinates through the scene file
// writer, against one fwrite of the same number of bytes to the same place, in the same run.
// Prints the ratio (target: at most 1.15) and, beside it, the text form (binary arrays off).
//
// usage: scene_writer_bench [FOLDER] [REPEATS]   (FOLDER defaults to /dev/shm)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "importers/sceneapi/dev/sceneapi.h"

namespace {

using Clock = std::chrono::steady_clock;

// A grid of (n + 1)^2 vertices and 2 n^2 triangles, per-vertex normals and uv.
zyl::TriangleObject make_grid(int n) {
    zyl::TriangleObject mesh("grid");
    const int side = n + 1;
    auto& vertices = mesh.vertices();
    auto& normals = mesh.normals();
    auto& uv = mesh.uv();
    auto& triangles = mesh.triangles();
    vertices.reserve(static_cast<std::size_t>(side) * side);
    normals.reserve(vertices.capacity());
    uv.reserve(2 * vertices.capacity());
    triangles.reserve(6 * static_cast<std::size_t>(n) * n);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            vertices.push_back({float(x), float(y), 0.01f * float((x * 7 + y * 3) % 11)});
            normals.push_back({0, 0, 1});
            uv.push_back(float(x) / float(n));
            uv.push_back(float(y) / float(n));
        }
    }
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const int a = y * side + x, b = a + 1, c = a + side, d = c + 1;
            triangles.insert(triangles.end(), {a, b, d, a, d, c});
        }
    }
    return mesh;
}

double seconds_since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Time of one export of the mesh; the file's size goes to `bytes`.
double time_writer(zyl::TriangleObject& mesh, const std::string& path, bool binary,
                   std::uintmax_t& bytes) {
    const auto start = Clock::now();
    {
        zyl::LightFileFactory factory(path);
        zyl::zylSceneapi_oo api(&factory);
        if (!binary) {
            api.api()->set_mode(0x400001);  // bit 1 clear: arrays as text
        }
        api.emit(mesh);
        factory.close();
    }
    const double t = seconds_since(start);
    bytes = std::filesystem::file_size(path);
    return t;
}

double time_raw(const std::vector<char>& data, const std::string& path) {
    const auto start = Clock::now();
    std::FILE* f = std::fopen(path.c_str(), "wb+");
    if (!f) {
        std::perror("raw write");
        std::exit(1);
    }
    std::fwrite(data.data(), 1, data.size(), f);
    std::fclose(f);
    return seconds_since(start);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "/dev/shm";
    const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 21;
    const std::string path = folder + "/vsf-bench-writer.vsf";
    const std::string raw_path = folder + "/vsf-bench-raw.bin";

    const int n = 1000;  // 2,000,000 triangles, 1,002,001 vertices
    zyl::TriangleObject mesh = make_grid(n);
    std::uintmax_t bytes = 0;
    time_writer(mesh, path, true, bytes);  // warm up the pages of the target
    std::vector<char> data(bytes, 'x');
    time_raw(data, raw_path);

    // Interleaved runs, best of each, so both see the same machine state.
    std::vector<double> writer_times, raw_times;
    for (int i = 0; i < repeats; ++i) {
        writer_times.push_back(time_writer(mesh, path, true, bytes));
        raw_times.push_back(time_raw(data, raw_path));
    }
    std::sort(writer_times.begin(), writer_times.end());
    std::sort(raw_times.begin(), raw_times.end());
    const double best_writer = writer_times.front(), best_raw = raw_times.front();
    const double median_ratio =
        writer_times[writer_times.size() / 2] / raw_times[raw_times.size() / 2];
    std::uintmax_t text_bytes = 0;
    const double text = time_writer(mesh, path, false, text_bytes);

    std::printf("mesh: %zu triangles, %zu vertices, normals and uv per vertex\n",
                mesh.triangles().size() / 3, mesh.vertices().size());
    std::printf("binary file: %ju bytes; writer %.4f s, raw fwrite %.4f s (best of %d)\n", bytes,
                best_writer, best_raw, repeats);
    std::printf("ratio writer/raw: %.3f best to best, %.3f median to median (target <= 1.15)\n",
                best_writer / best_raw, median_ratio);
    std::printf("text form: %ju bytes, %.3f s, ratio to raw binary write: %.1f\n", text_bytes, text,
                text / best_raw);
    std::filesystem::remove(path);
    std::filesystem::remove(raw_path);
    return 0;
}
