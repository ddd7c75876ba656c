// The object front end over a real file factory: prologue, ids, shader numbering, parameters.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "importers/sceneapi/dev/sceneapi.h"

namespace {

namespace fs = std::filesystem;

fs::path temp_path(const std::string& name) {
    return fs::temp_directory_path() /
           (name + "-" + std::to_string(testing::UnitTest::GetInstance()->random_seed()) + ".vsf");
}

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

const std::string kHeader =
    "//---tesmar:dal:7---\n//---import:dal:1---\n//---id:1---\n"
    "// This is a Vistrel scene file\n\n";

std::string prologue() {
    return kHeader + "#print \"" + zyl::banner_text() + "\"\nversion 9\n\n";
}

// Writes a scene file through factory and front end and returns its bytes.
template <typename Calls>
std::string scene_text(Calls calls) {
    const fs::path path = temp_path("front-end");
    {
        zyl::LightFileFactory factory(path.u8string());
        zyl::zylSceneapi_oo api(&factory);
        calls(api);
        factory.close();
    }
    std::string text = slurp(path);
    fs::remove(path);
    return text;
}

TEST(FrontEnd, EmptySceneIsHeaderBannerAndVersion) {
    const std::string text = scene_text([](zyl::zylSceneapi_oo&) {});
    EXPECT_EQ(text, prologue());
    // Eight lines, the fifth and the eighth empty.
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[7], "");
    EXPECT_EQ(lines[5].rfind("#print \"Vistrel SceneApi oo 9.0.215  (built ", 0), 0u);
}

TEST(FrontEnd, BannerTimeStampHasTheDateForm) {
    const std::string banner = zyl::banner_text();
    // "Vistrel SceneApi oo 9.0.215  (built Tue Apr 30 15:11:26 2019)"
    const std::string prefix = "Vistrel SceneApi oo 9.0.215  (built ";
    ASSERT_EQ(banner.rfind(prefix, 0), 0u);
    const std::string stamp = banner.substr(prefix.size(), banner.size() - prefix.size() - 1);
    EXPECT_EQ(stamp.size(), 24u) << stamp;
    EXPECT_EQ(banner.back(), ')');
    EXPECT_EQ(stamp[3], ' ');
    EXPECT_EQ(stamp[13], ':');
    EXPECT_EQ(stamp[16], ':');
}

TEST(FrontEnd, IdsAndShaderNumbersCountApart) {
    const std::string text = scene_text([](zyl::zylSceneapi_oo& api) {
        EXPECT_EQ(api.new_id(), 1);
        EXPECT_EQ(api.begin_shader("zyl_diffuse"), 1);
        api.end_shader();
        EXPECT_EQ(api.new_id(), 2);
        EXPECT_EQ(api.begin_shader("zyl_plastic"), 2);
        api.end_shader();
    });
    EXPECT_EQ(text, prologue() +
                        "id 1\n#define shader 1 zyl_diffuse {\n}\nid 2\n"
                        "#define shader 2 zyl_plastic {\n}\n");
}

TEST(FrontEnd, ParameterOverloadsPassTheirTypeCodes) {
    const std::string text = scene_text([](zyl::zylSceneapi_oo& api) {
        api.begin_group("g");
        api.param("s", std::string("text"));
        api.param("f3", zyl::Float3{1, 2, 3});
        api.param("d3", zyl::Double3{0.5, 0.25, 0.125});
        api.param("d", 0.5);
        api.param("f", 0.5f);
        api.param("i", int32_t{-3});
        api.param("b", true);
        api.param("off", false);
        api.transform(zyl::Matrix4d{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1});
        api.transform(zyl::Matrix4d{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}, true);
        api.set_flags(6);
        api.end_group();
        api.progress("done", 1.0f);
        api.error("bad mesh");
    });
    EXPECT_EQ(text, prologue() +
                        "\ngroup \"g\" {\ns \"text\"\nf3 1 2 3\nd3 0.5 0.25 0.125\n"
                        "d 0.5000000000000000\nf 0.5\ni -3\nb on\noff off\n"
                        "transform 1 0 0 0 0 1 0 0 0 0 1 0 1 2 3 1\n"
                        "set transform 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1\nflags 6\n}\n"
                        "progress \"done\" 1.000\n\n#error \"bad mesh\"\n");
}

TEST(FrontEnd, ListsPassElementCounts) {
    const std::string text = scene_text([](zyl::zylSceneapi_oo& api) {
        api.param("triples", std::vector<zyl::Float3>{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
        api.param("ints", std::vector<int32_t>{1, 2});
        api.param("floats", std::vector<float>{0.5f});
        api.param("doubles", std::vector<double>{0.25});
        api.param("matrices", std::vector<zyl::Matrix4d>{zyl::Matrix4d{}});
    });
    const std::string body = text.substr(prologue().size());
    // Three float triples are 9 scalars in one 'c' block: the count 3 reached the writer.
    const std::string triples_head = std::string(
                                         "\"triples\" [ \x01\x02\x03"
                                         "c") +
                                     '\x09' + std::string(3, '\0');
    EXPECT_EQ(body.rfind(triples_head, 0), 0u);
    EXPECT_NE(body.find(std::string("\"ints\" [ \x01\x02\x03i\x02\0\0\0", 17)), std::string::npos);
    EXPECT_NE(body.find(std::string("\"floats\" [ \x01\x02\x03"
                                    "f\x01\0\0\0",
                                    19)),
              std::string::npos);
    EXPECT_NE(body.find(std::string("\"doubles\" [ \x01\x02\x03r\x01\0\0\0", 20)),
              std::string::npos);
    EXPECT_NE(body.find("\"matrices\" [ 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 \n] ,\n"),
              std::string::npos);
}

TEST(FrontEnd, PlainCharacterPointerIsRejected) {
    scene_text([](zyl::zylSceneapi_oo& api) {
        try {
            api.param("name", "literal");
            FAIL() << "no exception";
        } catch (const std::invalid_argument& e) {
            EXPECT_STREQ(e.what(), "const char * are deprecated");
        }
    });
}

TEST(FrontEnd, FactoryWithoutInterfaceLeavesItUnbound) {
    struct NoBackEnd : zyl::LightFactory {
        int started = 0;
        zylScene_api* get_api() override { return nullptr; }
        void start(zyl::zylSceneapi_oo&) override { ++started; }
        void close() override {}
    } factory;
    zyl::zylSceneapi_oo api(&factory);
    EXPECT_EQ(api.api(), nullptr);
    EXPECT_EQ(factory.started, 0);
}

TEST(ImportOptions, DefaultModuleWritesElevenOptions) {
    const std::string text = scene_text([](zyl::zylSceneapi_oo& api) {
        zyl::DefaultRTModule module;
        api.emit(module);
        zyl::DefaultRTModule changed;
        changed.set_up_vector(2);
        changed.set_meter_scale(0.0254f);
        changed.set_merge_objects(false);
        changed.set_ext(false);
        api.emit(changed);
    });
    EXPECT_EQ(text.substr(prologue().size()),
              "load \"zylrtopt.so\" {\n\"import_mode\" on,\n\"import_merge_groups\" on,\n"
              "\"import_merge_objects\" on,\n\"import_up_vector\" 0,\n\"meter_scale\" 1,\n"
              "\"import_keep_original\" off,\n\"import_center_geometry\" on,\n"
              "\"import_snap_to_ground\" off,\n\"import_adjust_camera\" on,\n"
              "\"import_adjust_environment\" on,\n\"ext\" on,\n}\n"
              "load \"zylrtopt.so\" {\n\"import_mode\" on,\n\"import_merge_groups\" on,\n"
              "\"import_merge_objects\" off,\n\"import_up_vector\" 2,\n"
              "\"meter_scale\" 0.0254,\n\"import_keep_original\" off,\n"
              "\"import_center_geometry\" on,\n\"import_snap_to_ground\" off,\n"
              "\"import_adjust_camera\" on,\n\"import_adjust_environment\" on,\n\"ext\" off,\n}\n");
}

}  // namespace
