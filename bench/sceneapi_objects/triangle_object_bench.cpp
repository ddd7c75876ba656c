// A mesh of about two million triangles written through TriangleObject, the front end and the
// file writer, against the baseline of writing the same arrays with one fwrite each. The ratio
// printed at the end says what the object layer and the writer add to the unavoidable I/O.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "importers/sceneapi/dev/scene_api_file.h"
#include "importers/sceneapi/dev/sceneapi_oo.h"
#include "importers/sceneapi/dev/triangle_object.h"

namespace {

constexpr int kGrid = 1000;  // 1000 x 1000 vertices, 1,996,002 triangles

std::shared_ptr<zyl::TriangleObject> make_grid() {
    auto mesh = std::make_shared<zyl::TriangleObject>("grid");
    auto& vertices = mesh->vertices();
    auto& normals = mesh->normals();
    auto& uv = mesh->uv();
    auto& triangles = mesh->triangles();
    vertices.reserve(kGrid * kGrid);
    normals.reserve(kGrid * kGrid);
    uv.reserve(2 * kGrid * kGrid);
    triangles.reserve(6 * (kGrid - 1) * (kGrid - 1));
    for (int y = 0; y < kGrid; ++y) {
        for (int x = 0; x < kGrid; ++x) {
            mesh->add_vertex(static_cast<float>(x), static_cast<float>(y), 0.0f);
            mesh->add_normal(0.0f, 0.0f, 1.0f);
            mesh->add_uv(static_cast<float>(x) / kGrid, static_cast<float>(y) / kGrid);
        }
    }
    for (int y = 0; y + 1 < kGrid; ++y) {
        for (int x = 0; x + 1 < kGrid; ++x) {
            const int c = y * kGrid + x;
            mesh->add_triangle(c, c + 1, c + kGrid + 1);
            mesh->add_triangle(c, c + kGrid + 1, c + kGrid);
        }
    }
    return mesh;
}

const zyl::TriangleObject& grid() {
    static const std::shared_ptr<zyl::TriangleObject> mesh = make_grid();
    return *mesh;
}

class FileFactory : public zyl::LightFactory {
  public:
    explicit FileFactory(std::FILE* file) : writer_(new zylScene_api_file(file, true)) {}
    zylScene_api* get_api() override { return writer_.get(); }
    void start(zyl::zylSceneapi_oo& /*api*/) override {}
    void close() override { writer_.reset(); }

  private:
    std::unique_ptr<zylScene_api_file> writer_;
};

template <typename T>
void raw_write(const std::vector<T>& values, std::FILE* file) {
    std::fwrite(values.data(), sizeof(T), values.size(), file);
}

void BM_RawArrayWrite(benchmark::State& state) {
    const zyl::TriangleObject& mesh = grid();
    std::FILE* file = std::tmpfile();
    for (auto _ : state) {
        std::rewind(file);
        raw_write(mesh.vertices(), file);
        raw_write(mesh.triangles(), file);
        raw_write(mesh.uv(), file);
        raw_write(mesh.normals(), file);
        std::fflush(file);
    }
    state.SetBytesProcessed(state.iterations() * mesh.data_size());
    std::fclose(file);
}
BENCHMARK(BM_RawArrayWrite)->Unit(benchmark::kMillisecond);

void BM_TriangleObjectEmit(benchmark::State& state) {
    // A copy, since emitting may rename; the arrays are not touched.
    zyl::TriangleObject mesh = grid();
    std::FILE* file = std::tmpfile();
    for (auto _ : state) {
        std::rewind(file);
        FileFactory factory(file);
        zyl::zylSceneapi_oo api(&factory);
        api.emit(mesh);
        factory.close();
        std::fflush(file);
    }
    state.SetBytesProcessed(state.iterations() * mesh.data_size());
    std::fclose(file);
}
BENCHMARK(BM_TriangleObjectEmit)->Unit(benchmark::kMillisecond);

// Prints as usual and keeps each benchmark's time per iteration for the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration) {
                times_[run.benchmark_name()] = run.GetAdjustedRealTime();
            }
        }
    }
    double time(const std::string& name) const {
        const auto found = times_.find(name);
        return found == times_.end() ? 0.0 : found->second;
    }

  private:
    std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double baseline = reporter.time("BM_RawArrayWrite");
    const double emit = reporter.time("BM_TriangleObjectEmit");
    if (baseline > 0.0 && emit > 0.0) {
        std::printf("TriangleObject emit / raw array write: %.2f\n", emit / baseline);
    }
    benchmark::Shutdown();
    return 0;
}
