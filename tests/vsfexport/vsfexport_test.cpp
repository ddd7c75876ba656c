// The vsfexport command, run as a program: the demo scene, JSON scenes, OBJ files and assimp
// imports into scene files read back with the reader, standard output, time and options, cancel,
// and one clear line with the right exit code for every kind of failure.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "exporter/hair_scripts.h"
#include "exporter/narrow_text.h"
#include "standin/host/demo_scene.h"
#include "standin/host/scene.h"
#include "tests/exporter_support/written_scene.h"
#include "tests/vsfexport/command_runner.h"
#include "tools/vsfreader/reader.h"

namespace {

using command_test::Outcome;
using ::testing::HasSubstr;

// Exactly one line, starting with the command's name.
MATCHER(OneErrorLine, "") {
    return arg.rfind("vsfexport: ", 0) == 0 && std::count(arg.begin(), arg.end(), '\n') == 1 &&
           arg.back() == '\n';
}

// A cube of 8 corners and 12 triangles without normals.
const char* const kCubeObj =
    "v -1 -1 -1\nv 1 -1 -1\nv 1 1 -1\nv -1 1 -1\nv -1 -1 1\nv 1 -1 1\nv 1 1 1\nv -1 1 1\n"
    "f 1 3 2\nf 1 4 3\nf 5 6 7\nf 5 7 8\nf 1 2 6\nf 1 6 5\nf 2 3 7\nf 2 7 6\nf 3 4 8\n"
    "f 3 8 7\nf 4 1 5\nf 4 5 8\n";

// A box, a camera and a node moving along x from 0 at frame 0 to 100 at frame 100.
const char* const kJsonScene = R"({
  "time": {"start": 0, "end": 16000, "ticks_per_frame": 160},
  "nodes": [
    {"name": "Box", "mesh": {"box": [1, 2, 4]}},
    {"name": "Cam", "camera": {}},
    {"name": "Mover", "helper": {},
     "animation": {"position": [{"time": 0, "value": [0, 0, 0]},
                                {"time": 16000, "value": [100, 0, 0]}]}}
  ]
})";

class VsfexportCommand : public ::testing::Test {
  protected:
    exporter_test::ScratchFolder folder_{"vsfexport-test"};

    std::string path(const std::string& name) const { return (folder_.path() / name).string(); }
    std::string write(const std::string& name, const std::string& text) const {
        std::ofstream(path(name), std::ios::binary) << text;
        return path(name);
    }
    static Outcome vsfexport(const std::vector<std::string>& args, bool interrupt = false) {
        return command_test::run(VSFEXPORT_PATH, args, interrupt);
    }
    // The numbers vsfdump --stats prints for file, by name.
    static std::map<std::string, long> dump_stats(const std::string& file) {
        const Outcome dump = command_test::run(VSFDUMP_PATH, {"--stats", file});
        EXPECT_EQ(dump.exit_code, 0) << dump.err;
        std::map<std::string, long> stats;
        std::istringstream lines(dump.out);
        std::string line;
        while (std::getline(lines, line)) {
            const std::size_t colon = line.find(": ");
            if (colon != std::string::npos && line[0] != ' ') {
                stats[line.substr(0, colon)] = std::atol(line.c_str() + colon + 2);
            }
        }
        return stats;
    }
};

const vsf::Block& object_group(const vsf::Document& document) {
    static const vsf::Block missing;
    const vsf::Block* group = document.root.block("group", std::string("object"));
    EXPECT_NE(group, nullptr);
    return group ? *group : missing;
}

std::size_t triangles_of_objects(const vsf::Block& group) {
    std::size_t triangles = 0;
    for (const vsf::Block& object : group.blocks) {
        const vsf::Block* geometry =
            object.keyword == "object" ? object.block("geometry") : nullptr;
        const vsf::Param* indices = geometry ? geometry->param("triangles") : nullptr;
        if (indices && indices->array()) {
            triangles += indices->array()->ints.size() / 3;
        }
    }
    return triangles;
}

TEST_F(VsfexportCommand, HelpShowsExamplesAndExitCodes) {
    const Outcome r = vsfexport({"--help"});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_THAT(r.out, HasSubstr("Examples:"));
    EXPECT_THAT(r.out, HasSubstr("--frame"));
    EXPECT_THAT(r.out, HasSubstr("--no-cameras"));
    EXPECT_THAT(r.out, HasSubstr("Exit codes"));
    EXPECT_EQ(r.err, "");
}

TEST_F(VsfexportCommand, BadUsageIsOneLineAndExitCodeTwoAndWritesNothing) {
    const std::string out = path("out.vsf");
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"-o"},
        {"--bogus", "-o", out},
        {"--time", "10", "--frame", "2", "-o", out},
        {"--frame", "two", "-o", out},
        {"--curve-radius", "-1", "-o", out},
        {"a.json", "b.json", "-o", out},
    };
    for (const std::vector<std::string>& args : cases) {
        const Outcome r = vsfexport(args);
        EXPECT_EQ(r.exit_code, 2) << ::testing::PrintToString(args);
        EXPECT_THAT(r.err, OneErrorLine()) << r.err;
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

TEST_F(VsfexportCommand, UnreadableScenesAreOneLineAndExitCodeTwoAndWriteNothing) {
    const std::string out = path("out.vsf");
    const std::vector<std::string> scenes = {
        path("missing.obj"),
        write("broken.json", "{ \"nodes\": [ "),
        write("wrong.json", R"({"nodes": [{"name": "Box", "mesh": {"box": "big"}}]})"),
        write("noise.xyz1", std::string("\x01\x02\x03 not a scene", 16)),
    };
    for (const std::string& scene : scenes) {
        const Outcome r = vsfexport({scene, "-o", out});
        EXPECT_EQ(r.exit_code, 2) << scene;
        EXPECT_THAT(r.err, OneErrorLine()) << r.err;
        EXPECT_FALSE(std::filesystem::exists(out)) << scene;
    }
}

TEST_F(VsfexportCommand, AnOutputThatCannotBeWrittenIsRefusedBeforeAnyWork) {
    for (const std::string& out : {path("no-such-folder/out.vsf"), folder_.path().string()}) {
        const Outcome r = vsfexport({"-o", out});
        EXPECT_EQ(r.exit_code, 2) << out;
        EXPECT_THAT(r.err, OneErrorLine()) << r.err;
    }
}

TEST_F(VsfexportCommand, AWriteErrorFoundAtCloseFailsWithOneLineAndExitCodeOne) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "needs /dev/full";
    }
    const Outcome r = vsfexport({write("scene.json", kJsonScene), "-o", "/dev/full"});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_THAT(r.err, OneErrorLine()) << r.err;
    EXPECT_THAT(r.err, HasSubstr("No space left"));
    EXPECT_TRUE(std::filesystem::exists("/dev/full"));  // a device is never removed
}

TEST_F(VsfexportCommand, TheDemoSceneExportsAndItsStatisticsMatchWhatTheDemoHolds) {
    const std::string out = path("demo.vsf");
    const Outcome r = vsfexport({"-o", out, "--textures", path("textures")});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.err, "");

    // The demo as the pass sees it: after the hair script has added its shapes.
    standin::Scene demo;
    standin::build_demo_scene(demo, path("textures"));
    demo.execute_script(vsf::hair_conversion_script(), true);
    long cameras = 0;
    for (const standin::Node* node : demo.nodes()) {
        host::Object* object = const_cast<standin::Node*>(node)->eval_world_state(0);
        cameras += object && object->super_class_id() == host::kCameraSuperClass ? 1 : 0;
    }

    const std::map<std::string, long> stats = dump_stats(out);
    EXPECT_EQ(stats.at("cameras"), cameras);
    EXPECT_EQ(stats.at("errors"), 0);
    EXPECT_GE(stats.at("groups"), static_cast<long>(demo.nodes().size()) + 1);

    // Every node of the demo has its group (deforming meshes add groups of their own).
    const vsf::Document document = vsf::read_file(out);
    std::map<std::string, long> groups;
    for (const vsf::Block* group : document.root.find_all("group")) {
        ++groups[group->name()];
    }
    std::map<std::string, long> nodes;
    for (const standin::Node* node : demo.nodes()) {
        ++nodes[vsf::narrow_text(node->name())];
    }
    for (const auto& [name, count] : nodes) {
        EXPECT_GE(groups[name], count) << name;
    }

    // Every static mesh of the demo arrives whole, in its node's group.
    long static_triangles = 0;
    for (const standin::Node* node : demo.nodes()) {
        const standin::MeshObject* mesh = node->mesh_object();
        if (!mesh || mesh->has_mesh_keys() || node->hidden() ||
            mesh->class_id() != host::kTriObjectClassId) {
            continue;
        }
        const std::string name = vsf::narrow_text(node->name());
        std::size_t written = 0;
        for (const vsf::Block* group : document.root.find_all("group")) {
            if (group->name() == name) {
                written = triangles_of_objects(*group);
                break;
            }
        }
        EXPECT_EQ(written, mesh->base_mesh().faces.size()) << name;
        static_triangles += static_cast<long>(mesh->base_mesh().faces.size());
    }
    EXPECT_GT(static_triangles, 0);
    EXPECT_GE(stats.at("triangles"), static_triangles);
}

TEST_F(VsfexportCommand, AJsonSceneExportsWithItsOptions) {
    const std::string scene = write("scene.json", kJsonScene);
    struct Case {
        std::vector<std::string> flags;
        bool camera;
        double flags_value;
    };
    for (const Case& c :
         {Case{{}, true, 0}, Case{{"--no-cameras"}, false, 0}, Case{{"--layers"}, true, 1}}) {
        std::vector<std::string> args = {scene, "-o", path("scene.vsf")};
        args.insert(args.end(), c.flags.begin(), c.flags.end());
        const Outcome r = vsfexport(args);
        ASSERT_EQ(r.exit_code, 0) << r.err;
        const vsf::Document document = vsf::read_file(path("scene.vsf"));
        const vsf::Block& group = object_group(document);
        EXPECT_EQ(group.block("camera", std::string("Cam")) != nullptr, c.camera);
        EXPECT_EQ(group.param("flags")->values[0].number, c.flags_value);
        const std::vector<const vsf::Block*> objects = group.find_all("object");
        ASSERT_EQ(objects.size(), 1u);
        EXPECT_EQ(objects[0]->name(), "Box");
        EXPECT_EQ(objects[0]->block("geometry")->param("vertices")->array()->size(), 8u);
    }
}

TEST_F(VsfexportCommand, AnObjWithoutNormalsArrivesSmooth) {
    const Outcome r = vsfexport({write("cube.obj", kCubeObj), "-o", path("cube.vsf")});
    ASSERT_EQ(r.exit_code, 0) << r.err;

    const vsf::Document document = vsf::read_file(path("cube.vsf"));
    const std::vector<const vsf::Block*> objects = object_group(document).find_all("object");
    ASSERT_EQ(objects.size(), 1u);
    const vsf::Block& geometry = *objects[0]->block("geometry");
    // One smoothing group: each corner of the cube is one vertex with one normal.
    EXPECT_EQ(geometry.param("vertices")->array()->size(), 8u);
    EXPECT_EQ(geometry.param("normals")->array()->size(), 8u);
    EXPECT_EQ(geometry.param("triangles")->array()->size(), 36u);
}

TEST_F(VsfexportCommand, AnObjWithItsMaterialLibraryExportsWithItsMaterial) {
    write("looks.mtl", "newmtl Red\nKd 1 0 0\n");
    const std::string obj =
        write("red.obj", std::string("mtllib looks.mtl\nusemtl Red\n") + kCubeObj);
    const Outcome r = vsfexport({obj, "-o", path("red.vsf")});
    ASSERT_EQ(r.exit_code, 0) << r.err;

    const vsf::Document document = vsf::read_file(path("red.vsf"));
    const std::vector<const vsf::Block*> objects = object_group(document).find_all("object");
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(objects[0]->name(), "red");  // faces before any object name: the file's stem
    EXPECT_EQ(objects[0]->block("geometry")->param("triangles")->array()->size(), 36u);
    const vsf::Block* material = objects[0]->block("material");
    ASSERT_NE(material, nullptr);
    EXPECT_EQ(material->name(), "Red");
    // The material's one shader definition carries the library's Kd.
    const std::vector<const vsf::Block*> shaders = material->find_all("shader");
    ASSERT_EQ(shaders.size(), 1u);
    const vsf::Param* diffuse = shaders[0]->param("diffuse");
    ASSERT_NE(diffuse, nullptr);
    std::vector<double> rgb;
    for (const vsf::Value& v : diffuse->values) {
        rgb.push_back(v.number);
    }
    EXPECT_EQ(rgb, (std::vector<double>{1, 0, 0}));
}

TEST_F(VsfexportCommand, DashWritesTheSceneToStandardOutputAndNothingElse) {
    const Outcome r = vsfexport({write("scene.json", kJsonScene), "-o", "-"});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const vsf::Document document = vsf::read_bytes(r.out);
    EXPECT_EQ(object_group(document).find_all("object").size(), 1u);
}

TEST_F(VsfexportCommand, TimeAndFrameChooseTheMomentExported) {
    const std::string scene = write("scene.json", kJsonScene);
    const auto mover_x = [&](const std::vector<std::string>& when) {
        std::vector<std::string> args = {scene, "-o", path("t.vsf"), "--no-transform-animations"};
        args.insert(args.end(), when.begin(), when.end());
        const Outcome r = vsfexport(args);
        EXPECT_EQ(r.exit_code, 0) << r.err;
        const vsf::Document document = vsf::read_file(path("t.vsf"));
        const vsf::Block* mover = object_group(document).block("group", std::string("Mover"));
        return mover ? mover->param("transform")->values[12].number : -1.0;
    };
    EXPECT_DOUBLE_EQ(mover_x({}), 0.0);
    EXPECT_DOUBLE_EQ(mover_x({"--frame", "25"}), 25.0);
    EXPECT_DOUBLE_EQ(mover_x({"--time", "8000"}), 50.0);
}

TEST_F(VsfexportCommand, CtrlCCancelsAndStillLeavesAWellFormedFile) {
    const std::string out = path("cancelled.vsf");
    const Outcome r = vsfexport({write("scene.json", kJsonScene), "-o", out}, true);

    EXPECT_EQ(r.exit_code, 1);
    EXPECT_THAT(r.err, OneErrorLine()) << r.err;
    EXPECT_THAT(r.err, HasSubstr("cancelled"));
    // The cancel came before the first node: the file is whole, without node groups.
    const vsf::Document document = vsf::read_file(out);
    EXPECT_EQ(object_group(document).find_all("group").size(), 0u);
}

}  // namespace
