// Round trips: what the scene file writer writes, the reader reads back with the same values.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "importers/sceneapi/dev/sceneapi.h"
#include "tools/vsfreader/reader.h"
#include "tools/vsfreader/stats.h"
#include "tools/vsfreader/text_writer.h"

namespace {

using ::testing::ElementsAre;
using vsf::ArrayKind;
using vsf::Param;
using vsf::Value;
using zyl::Float3;
using zyl::Matrix4d;

class RoundTrip : public ::testing::Test {
  protected:
    std::string path_ = ::testing::TempDir() + "vsfreader_round_trip_" +
                        ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".vsf";

    ~RoundTrip() override { std::remove(path_.c_str()); }

    // Writes a scene file through the file factory and the front end, as an export does, with
    // `scene` writing the body; returns the file read back.
    vsf::Document write_and_read(const std::function<void(zyl::zylSceneapi_oo&)>& scene) {
        {
            zyl::LightFileFactory factory(path_);
            zyl::zylSceneapi_oo front(&factory);
            scene(front);
            factory.close();
        }
        return vsf::read_file(path_);
    }

    // The same through a bare writer with the binary arrays flag off (text arrays throughout).
    vsf::Document write_text_arrays_and_read(const std::function<void(zylScene_api&)>& scene) {
        std::FILE* file = std::fopen(path_.c_str(), "wb");
        EXPECT_NE(file, nullptr);
        {
            zylScene_api_file writer(file, false);
            writer.write_raw("//---tesmar:dal:7---\n");
            scene(writer);
        }
        std::fclose(file);
        return vsf::read_file(path_);
    }
};

TEST_F(RoundTrip, HeaderBannerAndVersionOfTheFactoryAndFrontEnd) {
    const vsf::Document doc = write_and_read([](zyl::zylSceneapi_oo&) {});
    EXPECT_EQ(doc.header.dal_version, 7);
    EXPECT_EQ(doc.header.import_version, 1);
    EXPECT_EQ(doc.header.id, 1);
    ASSERT_EQ(doc.root.messages.size(), 1u);
    EXPECT_EQ(doc.root.messages[0].text.rfind("Vistrel SceneApi oo 9.0.215  (built ", 0), 0u)
        << doc.root.messages[0].text;
    ASSERT_NE(doc.root.param("version"), nullptr);
    EXPECT_EQ(doc.root.param("version")->value()->as_int(), 9);
}

TEST_F(RoundTrip, BinaryArraysOfEachKindInBothParameterStyles) {
    const float big = std::numeric_limits<float>::max();
    const std::vector<Float3> float3s = {{0.1f, -2.5f, 1e-30f}, {big, -big, 7}};
    const std::vector<float> floats = {0.5f, std::numeric_limits<float>::infinity(), -0.0f};
    const std::vector<double> doubles = {0.1, 1e300, -1.0 / 3};
    const std::vector<int32_t> ints = {std::numeric_limits<int32_t>::min(), -1, 0, 0x0a7d5d22};
    const std::vector<int32_t> shader_ids = {3, 1};
    auto arrays = [&](zyl::zylSceneapi_oo& front) {
        front.param("c", float3s);
        front.param("f", floats);
        front.param("r", doubles);
        front.param("i", ints);
        const ArrayDesc desc{shader_ids.data(), static_cast<int32_t>(shader_ids.size())};
        front.api()->param("s", VT_SHADER | VT_ARRAY, &desc);
        front.param("after", 1);
    };
    const vsf::Document doc = write_and_read([&](zyl::zylSceneapi_oo& front) {
        arrays(front);  // list style at the top level
        front.begin_group("g");
        arrays(front);  // statement style inside a group
        front.end_group();
    });
    const vsf::Block& group = *doc.root.block("group", std::string("g"));
    for (const vsf::Block* block : {&doc.root, &group}) {
        const vsf::Array& c = *block->param("c")->array();
        EXPECT_EQ(c.kind, ArrayKind::float3);
        EXPECT_THAT(c.floats, ElementsAre(0.1f, -2.5f, 1e-30f, big, -big, 7));
        const vsf::Array& f = *block->param("f")->array();
        EXPECT_EQ(f.kind, ArrayKind::float1);
        EXPECT_EQ(f.floats, floats);
        EXPECT_TRUE(std::signbit(f.floats[2]));
        EXPECT_EQ(block->param("r")->array()->doubles, doubles);
        EXPECT_EQ(block->param("i")->array()->ints, ints);
        const vsf::Array& s = *block->param("s")->array();
        EXPECT_EQ(s.kind, ArrayKind::int1);
        EXPECT_EQ(s.ints, shader_ids);
        EXPECT_EQ(block->param("after")->value()->as_int(), 1);
    }
    EXPECT_EQ(doc.root.param("c")->style, Param::Style::entry);
    EXPECT_EQ(group.param("c")->style, Param::Style::statement);
}

TEST_F(RoundTrip, ListsInBinaryAndTextForm) {
    const vsf::Document doc = write_and_read([](zyl::zylSceneapi_oo& front) {
        zylScene_api& api = *front.api();
        api.begin_list("points");
        for (int i = 0; i < 5; ++i) {
            const float p[3] = {float(i), float(i) + 0.5f, -float(i)};
            api.list_item(VT_FLOAT3, p);
        }
        api.end_list();
        api.begin_list("ids");
        for (int32_t id : {7, 8, 9}) {
            api.list_item(VT_INT, &id);
        }
        api.end_list();
        api.begin_list("shaders");
        for (int32_t id : {4, 2, 6, 1, 5, 3, 8}) {
            api.list_item(VT_SHADER, &id);
        }
        api.end_list();
        api.begin_list("names");
        for (const char* name : {"a", "b\"c"}) {
            api.list_item(VT_STRING, name);
        }
        api.end_list();
        api.begin_list("positions");
        for (int i = 0; i < 3; ++i) {
            const double p[3] = {0.25 * i, 1, 2};
            api.list_item(VT_DOUBLE3, p);
        }
        api.end_list();
    });
    EXPECT_THAT(doc.root.param("points")->array()->floats,
                ElementsAre(0, 0.5f, 0, 1, 1.5f, -1, 2, 2.5f, -2, 3, 3.5f, -3, 4, 4.5f, -4));
    EXPECT_EQ(doc.root.param("points")->array()->kind, ArrayKind::float3);
    EXPECT_THAT(doc.root.param("ids")->array()->ints, ElementsAre(7, 8, 9));
    const vsf::Array& shaders = *doc.root.param("shaders")->array();
    EXPECT_EQ(shaders.kind, ArrayKind::text);
    EXPECT_THAT(shaders.numbers, ElementsAre(4, 2, 6, 1, 5, 3, 8));
    const vsf::Array& names = *doc.root.param("names")->array();
    ASSERT_EQ(names.items.size(), 2u);
    EXPECT_EQ(names.items[1].text, "b\"c");
    EXPECT_TRUE(names.items[1].hex);
    const vsf::Array& positions = *doc.root.param("positions")->array();
    EXPECT_EQ(positions.width, 3u);
    EXPECT_THAT(positions.numbers, ElementsAre(0, 1, 2, 0.25, 1, 2, 0.5, 1, 2));
}

TEST_F(RoundTrip, NamesAndTextsInHexForm) {
    const std::vector<std::string> names = {"a\"b", "W\xc3\xbcrfel", "two\nlines",
                                            "cr\r", "plain name",    ""};
    const vsf::Document doc = write_and_read([&](zyl::zylSceneapi_oo& front) {
        for (const std::string& name : names) {
            front.api()->begin_group(name.c_str(), true);
            front.param("text", name);
            front.api()->end_group();
        }
    });
    ASSERT_EQ(doc.root.blocks.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const vsf::Block& group = doc.root.blocks[i];
        EXPECT_EQ(group.name(), names[i]);
        const bool special = names[i].find_first_of("\"\n\r\xc3") != std::string::npos;
        EXPECT_EQ(group.args.at(0).hex, special) << i;
        EXPECT_EQ(group.param("text")->value()->text, names[i]);
    }
}

TEST_F(RoundTrip, NestedInlineShadersNumberedShadersAndAssignments) {
    const vsf::Document doc = write_and_read([](zyl::zylSceneapi_oo& front) {
        zylScene_api& api = *front.api();
        api.begin_object("o", true);
        api.begin_material("m", true);
        api.push_blob();
        api.begin_shader(nullptr, "zyl_diffuse");
        api.push_blob();
        api.begin_shader(nullptr, "vertex_color");
        front.param("default_color", Float3{0.8f, 0.8f, 0.8f});
        front.param("weights", std::vector<float>{0.25f, 0.75f});  // a binary block in a blob
        api.end_shader();
        ShaderBlob* inner = api.current_blob();
        api.pop_blob();
        front.param("diffuse", Float3{0.75f, 0.5f, 0.5f});
        api.param_shader_blob("diffuse", inner);
        api.end_shader();
        ShaderBlob* outer = api.current_blob();
        api.assign_shader_blob(0, outer);
        const int32_t id = front.begin_shader("zyl_plastic_simple");
        api.param_shader("diffuse", 7);
        front.param("roughness", 0.5f);
        front.end_shader();
        api.assign_shader(3, id);
        api.assign_shader(9, id);
        front.set_flags(4096);
        api.end_material();
        api.end_object();
    });
    const vsf::Block& material = *doc.root.block("object")->block("material");
    const Value& surface = *material.param("surface")->value();
    ASSERT_EQ(surface.kind, Value::Kind::shader);
    EXPECT_EQ(surface.shader->name(), "zyl_diffuse");
    const auto diffuse = surface.shader->params_named("diffuse");
    ASSERT_EQ(diffuse.size(), 2u);
    EXPECT_THAT(std::vector<double>({diffuse[0]->values[0].number, diffuse[0]->values[1].number}),
                ElementsAre(0.75, 0.5));
    const Value& inner = *diffuse[1]->value();
    ASSERT_EQ(inner.kind, Value::Kind::shader);
    EXPECT_TRUE(inner.reference);
    EXPECT_EQ(inner.shader->name(), "vertex_color");
    EXPECT_THAT(inner.shader->param("weights")->array()->floats, ElementsAre(0.25f, 0.75f));

    const vsf::Block& plastic = *material.block("shader");
    EXPECT_TRUE(plastic.definition);
    EXPECT_EQ(plastic.args.at(0).as_int(), 1);
    EXPECT_EQ(plastic.args.at(1).text, "zyl_plastic_simple");
    EXPECT_EQ(plastic.param("diffuse")->value()->kind, Value::Kind::shader_id);
    EXPECT_EQ(plastic.param("diffuse")->value()->as_int(), 7);
    EXPECT_EQ(material.param("reflection map")->value()->as_int(), 1);
    // A kind outside 0 to 3 is written as a surface shader after a comment line.
    EXPECT_EQ(material.params_named("surface").size(), 2u);
    EXPECT_EQ(material.param("flags")->value()->as_int(), 4096);
}

TEST_F(RoundTrip, TextArraysOfAWriterWithoutBinaryArrays) {
    const vsf::Document doc = write_text_arrays_and_read([](zylScene_api& api) {
        std::vector<int32_t> twenty(20);
        for (int32_t i = 0; i < 20; ++i) {
            twenty[static_cast<std::size_t>(i)] = i * 3 - 7;
        }
        const ArrayDesc ints{twenty.data(), 20};
        api.param("ints", VT_INT | VT_ARRAY, &ints);
        const float floats[] = {1, 2.5f, std::nanf("")};
        const ArrayDesc fdesc{floats, 3};
        api.param("floats", VT_FLOAT | VT_ARRAY, &fdesc);
        const double doubles[] = {0.5, -0.125};
        const ArrayDesc ddesc{doubles, 2};
        api.param("doubles", VT_DOUBLE | VT_ARRAY, &ddesc);
        Matrix4d matrices[2] = {};
        for (int k = 0; k < 16; ++k) {
            matrices[0][static_cast<std::size_t>(k)] = k;
            matrices[1][static_cast<std::size_t>(k)] = -k * 0.5;
        }
        const ArrayDesc mdesc{matrices, 2};
        api.param("matrices", VT_MATRIX | VT_ARRAY, &mdesc);
        api.begin_list("points");
        for (int i = 0; i < 5; ++i) {
            const float p[3] = {float(i), 1, 2};
            api.list_item(VT_FLOAT3, p);
        }
        api.end_list();
    });
    const vsf::Array& ints = *doc.root.param("ints")->array();
    EXPECT_EQ(ints.kind, ArrayKind::text);
    ASSERT_EQ(ints.numbers.size(), 20u);
    for (std::size_t i = 0; i < 20; ++i) {
        EXPECT_EQ(ints.numbers[i], static_cast<double>(i) * 3 - 7);
    }
    // The writer's number rule turns the nan into -1.
    EXPECT_THAT(doc.root.param("floats")->array()->numbers, ElementsAre(1, 2.5, -1));
    EXPECT_THAT(doc.root.param("doubles")->array()->numbers, ElementsAre(0.5, -0.125));
    const vsf::Array& matrices = *doc.root.param("matrices")->array();
    EXPECT_EQ(matrices.elements, 2u);
    EXPECT_EQ(matrices.width, 16u);
    EXPECT_EQ(matrices.numbers[15], 15);
    EXPECT_EQ(matrices.numbers[31], -7.5);
    const vsf::Array& points = *doc.root.param("points")->array();
    EXPECT_EQ(points.elements, 5u);
    EXPECT_EQ(points.width, 3u);
    EXPECT_EQ(points.numbers[12], 4);
}

TEST_F(RoundTrip, TriangleObjectWithItsMaterialAndStats) {
    auto mesh = std::make_shared<zyl::TriangleObject>("Box");
    for (int i = 0; i < 8; ++i) {
        mesh->add_vertex(float(i & 1), float((i >> 1) & 1), float(i >> 2) * 0.1f);
        mesh->add_normal(0, 0, 1);
        mesh->add_uv(float(i) / 8, 1);
    }
    for (int32_t t = 0; t < 12; ++t) {
        mesh->add_triangle(t % 8, (t + 1) % 8, (t + 3) % 8);
    }
    const vsf::Document doc = write_and_read([&](zyl::zylSceneapi_oo& front) {
        front.begin_group("node");
        front.emit(*mesh);
        front.end_group();
    });
    const vsf::Block& object = *doc.root.block("group")->block("object", std::string("Box"));
    const vsf::Block& geometry = *object.block("geometry", std::string("triangles"));
    const vsf::Array& vertices = *geometry.param("vertices")->array();
    EXPECT_EQ(vertices.kind, ArrayKind::float3);
    ASSERT_EQ(vertices.size(), 8u);
    for (std::size_t i = 0; i < 8; ++i) {
        for (std::size_t k = 0; k < 3; ++k) {
            EXPECT_EQ(vertices.floats[i * 3 + k], mesh->vertices()[i][k]);
        }
    }
    EXPECT_EQ(geometry.param("triangles")->array()->ints, mesh->triangles());
    EXPECT_EQ(geometry.param("uv_tex")->array()->floats, mesh->uv());
    EXPECT_EQ(geometry.param("normals")->array()->size(), 8u);
    const vsf::Block& material = *object.block("material", std::string("default"));
    const Value& surface = *material.param("surface")->value();
    EXPECT_EQ(surface.shader->name(), "zyl_diffuse");
    EXPECT_EQ(surface.shader->param("diffuse")->values.size(), 3u);
    EXPECT_TRUE(doc.root.block("group")->messages.empty());

    const vsf::Stats stats = vsf::compute_stats(doc);
    EXPECT_EQ(stats.objects, 1u);
    EXPECT_EQ(stats.triangles, 12u);
    EXPECT_EQ(stats.vertices, 8u);

    // Its binary blocks as text read back to the same numbers.
    const std::string bytes = vsf::read_file_bytes(path_);
    std::ostringstream text;
    vsf::write_text(text, bytes, doc);
    const vsf::Document back = vsf::read_bytes(text.str());
    const vsf::Block& text_geometry = *back.root.find_all("geometry").at(0);
    const vsf::Array& text_vertices = *text_geometry.param("vertices")->array();
    ASSERT_EQ(text_vertices.numbers.size(), vertices.floats.size());
    for (std::size_t i = 0; i < vertices.floats.size(); ++i) {
        EXPECT_EQ(static_cast<float>(text_vertices.numbers[i]), vertices.floats[i]);
    }
    EXPECT_EQ(vsf::compute_stats(back).triangles, 12u);
}

TEST_F(RoundTrip, MeshWithoutTrianglesLeavesOnlyItsErrorLine) {
    auto mesh = std::make_shared<zyl::TriangleObject>("Empty");
    mesh->add_vertex(0, 0, 0);
    mesh->add_normal(0, 0, 1);
    mesh->add_normal(0, 1, 0);
    const vsf::Document doc =
        write_and_read([&](zyl::zylSceneapi_oo& front) { front.emit(*mesh); });
    EXPECT_TRUE(doc.root.find_all("object").empty());
    ASSERT_EQ(doc.root.messages.size(), 2u);
    EXPECT_TRUE(doc.root.messages[1].error);
    EXPECT_EQ(doc.root.messages[1].text,
              "Number of normals does not equal number of verticesNo triangles defined");
}

TEST_F(RoundTrip, CameraWithAnimation) {
    auto camera = std::make_shared<zyl::LightViewset>("Cam\"1", "C:\\env\\sky.hdr", 512);
    auto animation = std::make_shared<zyl::FBXAnimation>("Cam\"1", 0.0f, 2.0f);
    Matrix4d m = {};
    for (int32_t k = 0; k < 3; ++k) {
        m[0] = m[5] = m[10] = m[15] = 1;
        m[12] = k * 1.5;
        animation->add_key(k * 33, m);
    }
    camera->set_animation(animation);
    camera->set_clipping(0.5f, 100);
    const vsf::Document doc = write_and_read([&](zyl::zylSceneapi_oo& front) {
        front.begin_group("object");
        front.emit(*camera);
        front.end_group();
    });
    const vsf::Block& cam = *doc.root.find_all("camera").at(0);
    EXPECT_EQ(cam.name(), "Cam\"1");
    EXPECT_EQ(cam.param("projection")->value()->text, "perspective");
    EXPECT_EQ(cam.param("flags")->value()->as_int(), 16);
    const Value& env = *cam.param("reflection map")->value();
    ASSERT_EQ(env.kind, Value::Kind::shader);
    EXPECT_EQ(env.shader->param("texture")->value()->text, "C:\\env\\sky.hdr");
    EXPECT_EQ(env.shader->param("radius")->value()->as_int(), 512);
    EXPECT_EQ(cam.param("clipping")->values.size(), 2u);
    const vsf::Block& anim = *cam.block("animation");
    EXPECT_EQ(anim.args.at(0).text, "fbx_animation");
    EXPECT_THAT(anim.param("timestamps")->array()->ints, ElementsAre(0, 33, 66));
    const vsf::Array& matrices = *anim.param("matrices")->array();
    EXPECT_EQ(matrices.width, 16u);
    EXPECT_EQ(matrices.elements, 3u);
    EXPECT_EQ(matrices.numbers[16 * 2 + 12], 3.0);
    EXPECT_TRUE(anim.param("interpolate")->value()->as_bool());
}

}  // namespace
