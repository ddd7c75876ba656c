// The parser on well-formed files made by hand: structure, names, values, arrays of every form.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "tests/vsfreader/scene_bytes.h"
#include "tools/vsfreader/reader.h"

namespace {

using ::testing::ElementsAre;
using vsf::ArrayKind;
using vsf::Block;
using vsf::Param;
using vsf::Value;
using vsf_test::block;
using vsf_test::header;

// A scene in the shape the writer gives it: banner, load block, a group with a camera and an
// object whose geometry carries binary arrays, a material with inline and numbered shaders.
class SceneFile : public ::testing::Test {
  protected:
    static std::string bytes() {
        std::string s = header();
        s += "#print \"Vistrel SceneApi oo 9.0.215  (built Tue Apr 30 15:11:26 2019)\"\n";
        s += "version 9\n\n";
        s += "load \"zylrtopt.so\" {\n\"import_mode\" on,\n\"import_up_vector\" 0,\n"
             "\"meter_scale\" 0.0254,\n\"ext\" off,\n}\n";
        s += "\n#define group \"object\" {\nflags 0\n";
        s += "\ncamera \"Cam 1\" {\nprojection \"perspective\"\nfov 45.5\nflags 16\n"
             "reflection map \"zyl_envmap\" {\n\"texture\" \"C:\\maps\\sky.hdr\",\n"
             "\"radius\" 25,\n}\n"
             "position 0.0000000000000000 0 -1e+06\nclipping 0.5 100\n}\n";
        s += "object xX426f78 {\ngeometry \"triangles\" {\n\"vertices\" [\n" +
             block<float>('c', {0, 0, 0, 1, 0, 0, 0, 1, 0}) + " ],\n\"triangles\" [\n" +
             block<int32_t>('i', {0, 1, 2}) + " ],\n\"uv_tex\" [\n" +
             block<float>('f', {0.5f, 0.25f}) + " ],\n}\n";
        s += "material \"default\" {\nsurface \"zyl_diffuse\" {\n\"diffuse\" 0.75 0.5 0.5,\n"
             "\"diffuse\" ! \"vertex_color\" {\n\"default_color\" 0.8 0.8 0.8,\n},\n}\n"
             "flags 4096\n}\n}\n";
        s += "// assuming surface shader\n";
        s += "#define shader 3 zyl_composite {\n\"shaders\" [\n" + block<int32_t>('i', {1, 2}) +
             " ],\n\"bumpmap\" ! 2,\n\"times\" [ " + block<double>('r', {0.1, 1e300}) + "] ,\n}\n";
        s += "surface 3\ntransform 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1\n";
        s += "#error \"No triangles defined\"\n}\n";
        return s;
    }
    vsf::Document doc = vsf::read_bytes(bytes());
    const Block& group = doc.root.blocks.at(1);
};

TEST_F(SceneFile, ReadsHeaderBannerAndVersion) {
    EXPECT_EQ(doc.header.dal_version, 7);
    EXPECT_EQ(doc.header.import_version, 1);
    EXPECT_EQ(doc.header.id, 1);
    ASSERT_FALSE(doc.root.messages.empty());
    EXPECT_FALSE(doc.root.messages[0].error);
    EXPECT_EQ(doc.root.messages[0].text,
              "Vistrel SceneApi oo 9.0.215  (built Tue Apr 30 15:11:26 2019)");
    const Param* version = doc.root.param("version");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->style, Param::Style::statement);
    EXPECT_EQ(version->value()->as_int(), 9);
}

TEST_F(SceneFile, KeepsTopLevelItemsInFileOrder) {
    ASSERT_EQ(doc.root.order.size(), 4u);
    EXPECT_EQ(doc.root.order[0].kind, Block::ChildKind::message);
    EXPECT_EQ(doc.root.order[1].kind, Block::ChildKind::param);
    EXPECT_EQ(doc.root.order[2].kind, Block::ChildKind::block);
    EXPECT_EQ(doc.root.order[3].kind, Block::ChildKind::block);
    EXPECT_EQ(doc.root.blocks[0].keyword, "load");
    EXPECT_EQ(doc.root.blocks[0].name(), "zylrtopt.so");
    EXPECT_EQ(group.keyword, "group");
    EXPECT_TRUE(group.definition);
    EXPECT_EQ(group.name(), "object");
}

TEST_F(SceneFile, ReadsListEntriesOfTheLoadBlock) {
    const Block& load = doc.root.blocks[0];
    ASSERT_EQ(load.params.size(), 4u);
    for (const Param& p : load.params) {
        EXPECT_EQ(p.style, Param::Style::entry) << p.name;
    }
    EXPECT_TRUE(load.param("import_mode")->value()->as_bool());
    EXPECT_FALSE(load.param("ext")->value()->as_bool());
    EXPECT_EQ(load.param("import_up_vector")->value()->as_int(), 0);
    EXPECT_DOUBLE_EQ(load.param("meter_scale")->value()->number, 0.0254);
}

TEST_F(SceneFile, ReadsCameraStatementsAndTheirInlineShader) {
    const Block* camera = group.block("camera", std::string("Cam 1"));
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(camera->param("projection")->value()->text, "perspective");
    EXPECT_DOUBLE_EQ(camera->param("fov")->value()->number, 45.5);
    const Param* position = camera->param("position");
    ASSERT_EQ(position->values.size(), 3u);
    EXPECT_DOUBLE_EQ(position->values[2].number, -1e6);
    const Param* env = camera->param("reflection map");
    ASSERT_NE(env, nullptr);
    ASSERT_EQ(env->values.size(), 1u);
    ASSERT_EQ(env->values[0].kind, Value::Kind::shader);
    const Block& shader = *env->values[0].shader;
    EXPECT_EQ(shader.name(), "zyl_envmap");
    EXPECT_EQ(shader.param("texture")->value()->text, "C:\\maps\\sky.hdr");
    EXPECT_EQ(shader.param("radius")->value()->as_int(), 25);
}

TEST_F(SceneFile, DecodesHexNamesAndReadsBinaryArrays) {
    const Block* object = group.block("object");
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->name(), "Box");
    EXPECT_TRUE(object->args[0].hex);
    const Block* geometry = object->block("geometry", std::string("triangles"));
    ASSERT_NE(geometry, nullptr);
    const vsf::Array* vertices = geometry->param("vertices")->array();
    ASSERT_NE(vertices, nullptr);
    EXPECT_EQ(vertices->kind, ArrayKind::float3);
    EXPECT_EQ(vertices->size(), 3u);
    EXPECT_THAT(vertices->floats, ElementsAre(0, 0, 0, 1, 0, 0, 0, 1, 0));
    EXPECT_THAT(geometry->param("triangles")->array()->ints, ElementsAre(0, 1, 2));
    EXPECT_THAT(geometry->param("uv_tex")->array()->floats, ElementsAre(0.5f, 0.25f));
}

TEST_F(SceneFile, ReadsMaterialWithNestedInlineShaders) {
    const Block* material = group.block("object")->block("material");
    ASSERT_NE(material, nullptr);
    EXPECT_EQ(material->name(), "default");
    const Param* surface = material->param("surface");
    ASSERT_EQ(surface->value()->kind, Value::Kind::shader);
    const Block& diffuse = *surface->value()->shader;
    EXPECT_EQ(diffuse.name(), "zyl_diffuse");
    const auto both = diffuse.params_named("diffuse");
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(both[0]->values.size(), 3u);
    const Value& inner = *both[1]->value();
    ASSERT_EQ(inner.kind, Value::Kind::shader);
    EXPECT_TRUE(inner.reference);
    EXPECT_EQ(inner.shader->name(), "vertex_color");
    EXPECT_EQ(inner.shader->param("default_color")->values.size(), 3u);
    EXPECT_EQ(material->param("flags")->value()->as_int(), 4096);
}

TEST_F(SceneFile, ReadsNumberedShaderDefinitionAndShaderIds) {
    const Block* shader = group.block("shader");
    ASSERT_NE(shader, nullptr);
    EXPECT_TRUE(shader->definition);
    ASSERT_EQ(shader->args.size(), 2u);
    EXPECT_EQ(shader->args[0].as_int(), 3);
    EXPECT_EQ(shader->args[1].kind, Value::Kind::word);
    EXPECT_EQ(shader->args[1].text, "zyl_composite");
    EXPECT_THAT(shader->param("shaders")->array()->ints, ElementsAre(1, 2));
    const Value* bump = shader->param("bumpmap")->value();
    EXPECT_EQ(bump->kind, Value::Kind::shader_id);
    EXPECT_EQ(bump->as_int(), 2);
    const vsf::Array* times = shader->param("times")->array();
    EXPECT_EQ(times->kind, ArrayKind::double1);
    EXPECT_THAT(times->doubles, ElementsAre(0.1, 1e300));
    EXPECT_EQ(group.param("surface")->value()->as_int(), 3);
}

TEST_F(SceneFile, ReadsTransformAndErrorInsideTheGroup) {
    const Param* transform = group.param("transform");
    ASSERT_NE(transform, nullptr);
    EXPECT_EQ(transform->values.size(), 16u);
    ASSERT_EQ(group.messages.size(), 1u);
    EXPECT_TRUE(group.messages[0].error);
    EXPECT_EQ(group.messages[0].text, "No triangles defined");
    EXPECT_EQ(doc.root.find_all("object").size(), 1u);
    EXPECT_EQ(doc.root.find_all("camera").size(), 1u);
    EXPECT_EQ(doc.root.find_all("geometry").size(), 1u);
}

Param only_param(const std::string& body) {
    const vsf::Document doc = vsf::read_bytes(header() + body);
    EXPECT_EQ(doc.root.params.size(), 1u) << body;
    return doc.root.params.at(0);
}

TEST(Parser, ReadsEveryNumberFormOfPrintf) {
    const Param p = only_param(
        "\"n\" 1e+06 -1.5e-07 0.5000000000000000 -1 nan -nan inf -inf 3.4028234663852886e+38,\n");
    ASSERT_EQ(p.values.size(), 9u);
    EXPECT_EQ(p.values[0].number, 1e6);
    EXPECT_EQ(p.values[1].number, -1.5e-7);
    EXPECT_EQ(p.values[2].number, 0.5);
    EXPECT_EQ(p.values[3].as_int(), -1);
    EXPECT_TRUE(std::isnan(p.values[4].number));
    EXPECT_TRUE(std::isnan(p.values[5].number));
    EXPECT_EQ(p.values[6].number, std::numeric_limits<double>::infinity());
    EXPECT_EQ(p.values[7].number, -std::numeric_limits<double>::infinity());
    EXPECT_EQ(static_cast<float>(p.values[8].number), std::numeric_limits<float>::max());
    // Out of the int32 range or not a number: as_int must not invoke undefined behaviour.
    EXPECT_EQ(p.values[4].as_int(), 0);
    EXPECT_EQ(p.values[6].as_int(), 0);
}

TEST(Parser, ReadsStatementNamesOfSeveralWords) {
    const vsf::Document doc =
        vsf::read_bytes(header() +
                        "set transform 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1\nreflection map 4\n"
                        "attribute \"a\" \"b\"\nrender\nmaterial \"Wood\"\nprojection on\n");
    ASSERT_EQ(doc.root.params.size(), 6u);
    EXPECT_EQ(doc.root.params[0].name, "set transform");
    EXPECT_EQ(doc.root.params[0].values.size(), 16u);
    EXPECT_EQ(doc.root.params[1].name, "reflection map");
    EXPECT_EQ(doc.root.params[2].name, "attribute");
    EXPECT_EQ(doc.root.params[3].name, "render");
    EXPECT_TRUE(doc.root.params[3].values.empty());
    // Without "{" a block keyword is a statement: the reference to a material.
    EXPECT_EQ(doc.root.params[4].name, "material");
    EXPECT_EQ(doc.root.params[4].value()->text, "Wood");
    EXPECT_TRUE(doc.root.blocks.empty());
    EXPECT_EQ(doc.root.params[5].name, "projection");
    EXPECT_TRUE(doc.root.params[5].value()->as_bool());
}

TEST(Parser, ReadsTextArraysOfTheWriter) {
    const vsf::Document doc = vsf::read_bytes(
        header() +
        "\"f\" [ 1,2.5,-1 ] ,\n"
        "\"v\" [\n1 2 3,4 5 6,\n7 8 9 ],\n"
        "\"m\" [ 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1 ,\n2 0 0 0 0 2 0 0 0 0 2 0 0 0 0 2 \n] ,\n"
        "\"s\" [ \"a\",\nxX0a0d,\n\"\" \n] ,\n"
        "\"e\" [ ] ,\n");
    const vsf::Array& f = *doc.root.param("f")->array();
    EXPECT_EQ(f.kind, ArrayKind::text);
    EXPECT_EQ(f.width, 1u);
    EXPECT_THAT(f.numbers, ElementsAre(1, 2.5, -1));
    const vsf::Array& v = *doc.root.param("v")->array();
    EXPECT_EQ(v.elements, 3u);
    EXPECT_EQ(v.width, 3u);
    EXPECT_EQ(v.numbers.size(), 9u);
    const vsf::Array& m = *doc.root.param("m")->array();
    EXPECT_EQ(m.elements, 2u);
    EXPECT_EQ(m.width, 16u);
    EXPECT_EQ(m.numbers[21], 2);
    const vsf::Array& s = *doc.root.param("s")->array();
    EXPECT_TRUE(s.numbers.empty());
    ASSERT_EQ(s.items.size(), 3u);
    EXPECT_EQ(s.items[1].text, "\n\r");
    EXPECT_EQ(s.items[2].text, "");
    const vsf::Array& e = *doc.root.param("e")->array();
    EXPECT_EQ(e.size(), 0u);
}

// Binary data may contain any byte, the format's punctuation included: the parser must take the
// count's word for it and not look at the data.
TEST(Parser, BinaryDataWithStructureBytesInside) {
    std::vector<int32_t> tricky = {0x5d7d225d, 0x0a0a0a0a, 0x01020363, 0x2c2c2c2c, -1, 0};
    std::vector<float> floats(tricky.size());
    std::memcpy(floats.data(), tricky.data(), tricky.size() * 4);
    const vsf::Document doc = vsf::read_bytes(
        header() + "\"i\" [ " + block<int32_t>('i', tricky) + "] ,\n\"f\" [\n" +
        block<float>('f', floats) + " ],\n\"empty\" [ " + block<double>('r', {}) + "] ,\n");
    EXPECT_EQ(doc.root.param("i")->array()->ints, tricky);
    const std::vector<float>& read = doc.root.param("f")->array()->floats;
    ASSERT_EQ(read.size(), floats.size());
    EXPECT_EQ(std::memcmp(read.data(), floats.data(), floats.size() * 4), 0);
    const vsf::Array& empty = *doc.root.param("empty")->array();
    EXPECT_EQ(empty.kind, ArrayKind::double1);
    EXPECT_EQ(empty.size(), 0u);
}

TEST(Parser, ReadsMessagesWithQuotesPercentsAndLineFeeds) {
    const vsf::Document doc = vsf::read_bytes(
        header() + "#print \"say \"hi\" 100%s\"\n#error \"two\nlines\"\n#print \"crlf\"\r\n" +
        "#print \"last\"");
    ASSERT_EQ(doc.root.messages.size(), 4u);
    EXPECT_EQ(doc.root.messages[0].text, "say \"hi\" 100%s");
    EXPECT_EQ(doc.root.messages[1].text, "two\nlines");
    EXPECT_TRUE(doc.root.messages[1].error);
    EXPECT_EQ(doc.root.messages[2].text, "crlf");
    EXPECT_EQ(doc.root.messages[3].text, "last");
}

TEST(Parser, ReadsByteFormsAndOtherBlocks) {
    const vsf::Document doc =
        vsf::read_bytes(header() +
                        "icon bX00ff7f\n#define shader \"mine\" \"zyl_diffuse\" {\n}\n"
                        "animation \"fbx_animation\" \"Box\" {\n\"start_time\" 0,\n}\n"
                        "camera {\n}\n#define matrix \"m\" {\n}\n"
                        "output \"a\" \"b\" \"c\" {\n}\n#modify camera \"c\" {\n}\n");
    const Value* icon = doc.root.param("icon")->value();
    EXPECT_EQ(icon->kind, Value::Kind::bytes);
    EXPECT_EQ(icon->text, std::string("\x00\xff\x7f", 3));
    ASSERT_EQ(doc.root.blocks.size(), 6u);
    EXPECT_EQ(doc.root.blocks[0].args.size(), 2u);
    EXPECT_EQ(doc.root.blocks[1].args[1].text, "Box");
    EXPECT_TRUE(doc.root.blocks[2].args.empty());
    EXPECT_EQ(doc.root.blocks[3].keyword, "matrix");
    EXPECT_EQ(doc.root.blocks[4].args.size(), 3u);
    EXPECT_TRUE(doc.root.blocks[5].modify);
}

TEST(Parser, ReadFileReportsMissingFiles) {
    EXPECT_THROW(vsf::read_file("/nonexistent/dir/a.vsf"), std::runtime_error);
}

}  // namespace
