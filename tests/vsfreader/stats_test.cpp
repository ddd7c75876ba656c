// Statistics: objects, triangles and vertices of the "triangles" geometries, arrays by kind.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tests/vsfreader/scene_bytes.h"
#include "tools/vsfreader/reader.h"
#include "tools/vsfreader/stats.h"

namespace {

using vsf_test::block;
using vsf_test::header;

TEST(Stats, CountsTrianglesVerticesAndArraysByKind) {
    // A binary mesh of 2 triangles over 4 vertices, a text mesh of 1 triangle over 3 vertices,
    // an instance, a curve geometry whose "p" array is not counted as vertices.
    const std::string bytes =
        header() + "group \"g\" {\nobject \"a\" {\ngeometry \"triangles\" {\n\"vertices\" [\n" +
        block<float>('c', {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0}) + " ],\n\"triangles\" [\n" +
        block<int32_t>('i', {0, 1, 2, 0, 2, 3}) + " ],\n\"uv_tex\" [\n" +
        block<float>('f', {0, 0, 1, 0, 1, 1, 0, 1}) + " ],\n}\nmaterial \"m\" {\n" +
        "surface \"zyl_diffuse\" {\n\"diffuse\" 1 1 1,\n}\n}\n}\n" +
        "#define object \"b\" {\nid 1\ngeometry \"triangles\" {\n\"vertices\" [\n0 0 0, 1 0 0," +
        "\n0 1 0 ],\n\"triangles\" [\n0, 1, 2 ],\n}\n}\n" +
        "object \"c\" {\ngeometry \"instance\" {\n\"id\" 1,\n}\n}\n" +
        "object \"curve\" {\ngeometry \"zyl_curves\" {\n\"p\" [\n" +
        block<float>('c', {0, 0, 0, 1, 1, 1}) + " ],\n}\n}\n" +
        "#define shader 1 zyl_diffuse {\n\"times\" [ " + block<double>('r', {1, 2}) + "] ,\n}\n" +
        "#error \"x\"\n#error \"y\"\n#print \"z\"\n}\n";
    const vsf::Stats stats = vsf::compute_stats(vsf::read_bytes(bytes));
    EXPECT_EQ(stats.objects, 4u);
    EXPECT_EQ(stats.triangles, 3u);
    EXPECT_EQ(stats.vertices, 7u);
    EXPECT_EQ(stats.instances, 1u);
    EXPECT_EQ(stats.groups, 1u);
    EXPECT_EQ(stats.materials, 1u);
    EXPECT_EQ(stats.shaders, 1u);
    EXPECT_EQ(stats.inline_shaders, 1u);
    EXPECT_EQ(stats.errors, 2u);
    EXPECT_EQ(stats.float3.arrays, 2u);
    EXPECT_EQ(stats.float3.values, 18u);
    EXPECT_EQ(stats.float3.bytes, 72u);
    EXPECT_EQ(stats.float1.bytes, 32u);
    EXPECT_EQ(stats.int1.values, 6u);
    EXPECT_EQ(stats.double1.bytes, 16u);
    EXPECT_EQ(stats.text.arrays, 2u);
    EXPECT_EQ(stats.text.values, 12u);
    EXPECT_EQ(stats.totals(vsf::ArrayKind::int1).bytes, 24u);
}

}  // namespace
