// The vsfdump command, run as a program: outline, statistics, text output and exit codes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/vsfreader/scene_bytes.h"
#include "tools/vsfreader/reader.h"

namespace {

using vsf_test::block;
using vsf_test::header;

struct Outcome {
    int exit_code;
    std::string out;
    std::string err;
};

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class VsfdumpCommand : public ::testing::Test {
  protected:
    std::string dir_ = ::testing::TempDir();
    std::string path(const std::string& name) const {
        return dir_ + "vsfdump_test_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" + name;
    }
    std::string write(const std::string& name, const std::string& bytes) const {
        const std::string file = path(name);
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }
    Outcome run(const std::string& args) const {
        const std::string out = path("stdout"), err = path("stderr");
        const std::string command =
            std::string("'") + VSFDUMP_PATH + "' " + args + " >'" + out + "' 2>'" + err + "'";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(out), slurp(err)};
    }
    static std::string mesh() {
        return header() + "#print \"banner\"\nversion 9\n\ngroup \"g\" {\nobject \"Box\" {\n" +
               "geometry \"triangles\" {\n\"vertices\" [\n" +
               block<float>('c', {0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0}) + " ],\n\"triangles\" [\n" +
               block<int32_t>('i', {0, 1, 2, 2, 1, 3}) + " ],\n}\n}\n}\n";
    }
};

TEST_F(VsfdumpCommand, PrintsAnIndentedOutlineWithArrayKindsAndCounts) {
    const Outcome r = run("'" + write("a.vsf", mesh()) + "'");
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("\ngroup \"g\"\n  object \"Box\"\n    geometry \"triangles\"\n"
                         "      vertices: float3[4]\n      triangles: int[6]\n"),
              std::string::npos)
        << r.out;
}

TEST_F(VsfdumpCommand, ValuesPrintsTheArrays) {
    const Outcome r = run("'" + write("a.vsf", mesh()) + "' --values");
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(r.out.find("vertices: float3[4]\n        0 0 0, 1 0 0, 0 1 0, 1 1 0\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("triangles: int[6]\n        0, 1, 2, 2, 1, 3\n"), std::string::npos);
}

TEST_F(VsfdumpCommand, StatsCountsTrianglesAndVertices) {
    const Outcome r = run("--stats '" + write("a.vsf", mesh()) + "'");
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(r.out.find("objects: 1\ntriangles: 2\nvertices: 4\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("float3: 1 arrays, 12 values, 48 bytes"), std::string::npos);
    EXPECT_EQ(r.out.find("geometry"), std::string::npos) << "no outline with --stats alone";
}

TEST_F(VsfdumpCommand, TextWritesAFileThatReadsBackToTheSameValues) {
    const std::string out = path("text.vsf");
    const Outcome r = run("'" + write("a.vsf", mesh()) + "' --text '" + out + "'");
    EXPECT_EQ(r.exit_code, 0) << r.err;
    const vsf::Document doc = vsf::read_file(out);
    const vsf::Block& geometry = *doc.root.find_all("geometry").at(0);
    const vsf::Array& vertices = *geometry.param("vertices")->array();
    EXPECT_EQ(vertices.kind, vsf::ArrayKind::text);
    EXPECT_EQ(vertices.numbers, (std::vector<double>{0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0}));
    EXPECT_EQ(geometry.param("triangles")->array()->numbers,
              (std::vector<double>{0, 1, 2, 2, 1, 3}));
}

struct BadCase {
    const char* name;
    std::string bytes;
    const char* line;  // the whole stderr line after "vsfdump: <file>: "
};

TEST_F(VsfdumpCommand, BadInputGivesOneLineWithTheOffsetAndExitCode2) {
    const std::size_t h = header().size();
    const BadCase cases[] = {
        {"not_scene", "PK\x03\x04 zip", "byte 0: not a scene file"},
        {"truncated", header() + "\"v\" [ " + vsf_test::block_head('c', 300) + "xyz",
         "truncated binary block"},
        {"unbalanced", header() + "group \"g\" {\n", "unbalanced braces"},
        {"string", header() + "group \"g {\n}\n", "unterminated string"},
    };
    for (const BadCase& c : cases) {
        const std::string file = write(c.name, c.bytes);
        const Outcome r = run("'" + file + "' --stats");
        EXPECT_EQ(r.exit_code, 2) << c.name;
        EXPECT_EQ(r.out, "") << c.name;
        EXPECT_EQ(r.err.rfind("vsfdump: " + file + ": byte ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find(c.line), std::string::npos) << r.err;
        ASSERT_FALSE(r.err.empty());
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
    }
    const Outcome string_case = run("'" + path("string") + "'");
    EXPECT_NE(string_case.err.find("byte " + std::to_string(h + 6) + ": unterminated string"),
              std::string::npos)
        << string_case.err;
}

TEST_F(VsfdumpCommand, BadUsageAndMissingFilesExitWith2OnOneLine) {
    for (const std::string& args : {std::string(""), std::string("--nonsense a.vsf"),
                                    std::string("a.vsf b.vsf"), "'" + path("missing.vsf") + "'"}) {
        const Outcome r = run(args);
        EXPECT_EQ(r.exit_code, 2) << args;
        EXPECT_EQ(r.err.rfind("vsfdump: ", 0), 0u) << r.err;
        ASSERT_FALSE(r.err.empty()) << args;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
    }
    const Outcome help = run("--help");
    EXPECT_EQ(help.exit_code, 0);
    EXPECT_NE(help.out.find("--text"), std::string::npos);
}

TEST_F(VsfdumpCommand, UnwritableTextOutputIsReported) {
    const Outcome r =
        run("'" + write("a.vsf", mesh()) + "' --text '" + path("no/such/dir/out.vsf") + "'");
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_NE(r.err.find("cannot write"), std::string::npos) << r.err;
}

}  // namespace
