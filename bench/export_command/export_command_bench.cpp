// The whole vsfexport command on a generated 1,000,000-triangle OBJ (positions and texture
// coordinates, no normals, one material with a diffuse texture), against the assimp command-line
// tool converting the same OBJ to binary glTF, in the same run: wall time of each (target:
// vsfexport at most 0.6 times assimp), and vsfexport's peak resident memory against the bytes of
// the mesh arrays it writes (target: at most 3 times). The same grid without its material is
// measured too, for reference: its texture coordinates are read and held but, untextured, never
// written. A breakdown run in this process shows how the command's time and memory divide
// between the scene import and the export itself.
//
// usage: export_command_bench [FOLDER] [REPEATS]   (FOLDER defaults to /dev/shm)
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "exporter/options.h"
#include "standin/host/scene.h"
#include "tools/vsfexport/export_run.h"
#include "tools/vsfexport/scene_loading.h"
#include "tools/vsfreader/reader.h"
#include "tools/vsfreader/stats.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kCellsX = 1000;  // 1000 x 500 cells: 1,000,000 triangles, 501,501 vertices
constexpr int kCellsY = 500;

std::FILE* open_or_exit(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "w");
    if (!f) {
        std::perror(path.c_str());
        std::exit(1);
    }
    return f;
}

// The grid; with a material library name, its faces use a textured material from that library
// (written beside the OBJ).
void write_grid_obj(const std::string& path, const std::string& library = {}) {
    std::FILE* f = open_or_exit(path);
    if (!library.empty()) {
        const std::string library_path =
            (std::filesystem::path(path).parent_path() / library).string();
        std::FILE* mtl = open_or_exit(library_path);
        std::fprintf(mtl, "newmtl Tiles\nKd 0.8 0.8 0.8\nmap_Kd vsf-bench-tiles.png\n");
        std::fclose(mtl);
        std::fprintf(f, "mtllib %s\nusemtl Tiles\n", library.c_str());
    }
    for (int y = 0; y <= kCellsY; ++y) {
        for (int x = 0; x <= kCellsX; ++x) {
            std::fprintf(f, "v %d %d %.2f\n", x, y, 0.01 * ((x * 7 + y * 3) % 11));
        }
    }
    for (int y = 0; y <= kCellsY; ++y) {
        for (int x = 0; x <= kCellsX; ++x) {
            std::fprintf(f, "vt %.6f %.6f\n", double(x) / kCellsX, double(y) / kCellsY);
        }
    }
    const int side = kCellsX + 1;
    for (int y = 0; y < kCellsY; ++y) {
        for (int x = 0; x < kCellsX; ++x) {
            const int a = y * side + x + 1, b = a + 1, c = a + side, d = c + 1;
            std::fprintf(f, "f %d/%d %d/%d %d/%d\nf %d/%d %d/%d %d/%d\n", a, a, b, b, d, d, a, a, d,
                         d, c, c);
        }
    }
    std::fclose(f);
}

struct Run {
    double seconds = 0;
    long peak_kb = 0;  // the child's peak resident set
    int exit_code = -1;
};

// Runs a program with its output streams closed, timing it and taking its peak memory.
Run run(const std::vector<std::string>& args) {
    Run result;
    std::fflush(nullptr);  // else the child's freopen writes out what the parent still buffers
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        std::vector<char*> argv;
        for (const std::string& a : args) {
            argv.push_back(const_cast<char*>(a.c_str()));
        }
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    result.peak_kb = usage.ru_maxrss;
    result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

long status_kb(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(key) + ":";
    while (std::getline(status, line)) {
        if (line.rfind(prefix, 0) == 0) {
            return std::atol(line.c_str() + prefix.size());
        }
    }
    return -1;
}

double written_array_bytes(const std::string& vsf) {
    const vsf::Stats stats = vsf::compute_stats(vsf::read_file(vsf));
    return static_cast<double>(stats.float3.bytes + stats.float1.bytes + stats.double1.bytes +
                               stats.int1.bytes);
}

std::string written_counts(const std::string& vsf) {
    const vsf::Stats stats = vsf::compute_stats(vsf::read_file(vsf));
    return std::to_string(stats.triangles) + " triangles and " + std::to_string(stats.vertices) +
           " vertices written";
}

// The import and the export of the command, timed apart in this process; the export's peak is
// measured from the resident memory it starts with.
void breakdown(const std::string& obj, const std::string& out) {
    const auto start = Clock::now();
    standin::Scene scene;
    vsfexport::load_scene(scene, obj, {});
    const auto imported = Clock::now();
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";  // restart the peak from here
    const long before = status_kb("VmRSS");
    vsfexport::run_export(scene, std::make_shared<vsf::Options>(), out);
    const auto exported = Clock::now();
    const long peak = status_kb("VmHWM");
    std::printf(
        "breakdown: import %.3f s, export %.3f s; the export adds %ld kB to the %ld kB "
        "the imported scene holds\n",
        std::chrono::duration<double>(imported - start).count(),
        std::chrono::duration<double>(exported - imported).count(), peak - before, before);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1                              ? argv[1]
                               : std::filesystem::exists("/dev/shm") ? "/dev/shm"
                                                                     : "/tmp";
    const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    const std::string obj = folder + "/vsf-bench-grid.obj";
    const std::string plain_obj = folder + "/vsf-bench-plain-grid.obj";
    const std::string mtl = "vsf-bench-grid.mtl";
    const std::string vsf = folder + "/vsf-bench-grid.vsf";
    const std::string glb = folder + "/vsf-bench-grid.glb";
    write_grid_obj(obj, mtl);

    Run best_ours;
    Run best_assimp;
    best_ours.seconds = best_assimp.seconds = 1e30;
    long ours_peak = 0;
    long assimp_peak = 0;
    // Interleaved runs, best time of each, so both see the same machine state.
    for (int i = 0; i < repeats; ++i) {
        const Run ours = run({VSFEXPORT_PATH, obj, "-o", vsf, "--no-progress"});
        const Run theirs = run({ASSIMP_TOOL_PATH, "export", obj, glb});
        if (ours.exit_code != 0 || theirs.exit_code != 0) {
            std::fprintf(stderr, "a command failed: vsfexport %d, assimp %d\n", ours.exit_code,
                         theirs.exit_code);
            return 1;
        }
        best_ours.seconds = std::min(best_ours.seconds, ours.seconds);
        best_assimp.seconds = std::min(best_assimp.seconds, theirs.seconds);
        ours_peak = std::max(ours_peak, ours.peak_kb);
        assimp_peak = std::max(assimp_peak, theirs.peak_kb);
    }

    const double array_bytes = written_array_bytes(vsf);
    std::printf("OBJ: %ju bytes, %s\n",
                static_cast<std::uintmax_t>(std::filesystem::file_size(obj)),
                written_counts(vsf).c_str());
    std::printf("vsfexport %.3f s, assimp export to .glb %.3f s (best of %d)\n", best_ours.seconds,
                best_assimp.seconds, repeats);
    std::printf("ratio vsfexport/assimp: %.3f (target <= 0.6)\n",
                best_ours.seconds / best_assimp.seconds);
    std::printf("peak memory: vsfexport %ld kB (assimp %ld kB); mesh arrays written %.0f kB\n",
                ours_peak, assimp_peak, array_bytes / 1024.0);
    std::printf("ratio peak/arrays: %.2f (target <= 3)\n", ours_peak * 1024.0 / array_bytes);

    // The grid without its material: the texture coordinates are held but not written.
    write_grid_obj(plain_obj);
    const Run plain = run({VSFEXPORT_PATH, plain_obj, "-o", vsf, "--no-progress"});
    const double plain_bytes = written_array_bytes(vsf);
    std::printf(
        "untextured grid, for reference: peak %ld kB, mesh arrays written %.0f kB, ratio %.2f\n",
        plain.peak_kb, plain_bytes / 1024.0, plain.peak_kb * 1024.0 / plain_bytes);
    breakdown(obj, vsf);

    std::filesystem::remove(obj);
    std::filesystem::remove(plain_obj);
    std::filesystem::remove(folder + "/" + mtl);
    std::filesystem::remove(vsf);
    std::filesystem::remove(glb);
    return 0;
}
