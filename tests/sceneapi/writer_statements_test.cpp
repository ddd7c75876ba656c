// Byte-exact output of the file writer's statements, blocks, sections and capture buffers.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "capture.h"
#include "importers/sceneapi/dev/scene_api_file.h"

namespace {

using sceneapi_test::written_by;

struct StatementCase {
    const char* what;
    std::function<void(zylScene_api_file&)> calls;
    std::string expected;
};

const double kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

class Statements : public testing::TestWithParam<StatementCase> {};

TEST_P(Statements, WriteTheirExactText) {
    EXPECT_EQ(written_by(GetParam().calls), GetParam().expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Writer, Statements,
    testing::Values(
        StatementCase{"group in place",
                      [](auto& w) {
                          w.begin_group("Layer 1", true);
                          w.end_group();
                      },
                      "\ngroup \"Layer 1\" {\n}\n"},
        StatementCase{"group as definition",
                      [](auto& w) {
                          w.begin_group("Layer 1", false);
                          w.end_group();
                      },
                      "\n#define group \"Layer 1\" {\n}\n"},
        StatementCase{"object, geometry and animation blocks",
                      [](auto& w) {
                          w.begin_object("Box", true);
                          w.begin_geometry("triangles");
                          w.end_geometry();
                          w.end_object();
                          w.begin_object("Def", false);
                          w.end_object();
                          w.begin_animation("move", "fbx");
                          w.end_animation();
                      },
                      "object \"Box\" {\ngeometry \"triangles\" {\n}\n}\n"
                      "#define object \"Def\" {\n}\nanimation \"move\" \"fbx\" {\n}\n"},
        StatementCase{"a quote in a name takes the hexadecimal form",
                      [](auto& w) {
                          w.begin_group("a\"b", true);
                          w.end_group();
                      },
                      "\ngroup xX612262 {\n}\n"},
        StatementCase{"a name outside ASCII takes the hexadecimal form",
                      [](auto& w) { w.use_material("caf\xc3\xa9"); }, "material xX636166c3a9\n"},
        StatementCase{"line feed and carriage return force hex",
                      [](auto& w) {
                          w.use_material("a\nb");
                          w.use_material("a\rb");
                      },
                      "material xX610a62\nmaterial xX610d62\n"},
        StatementCase{"empty name", [](auto& w) { w.use_material(""); }, "material \"\"\n"},
        StatementCase{"load block and material blocks",
                      [](auto& w) {
                          w.begin_load("zylrtopt.so");
                          w.end_load();
                          w.begin_material("m", true);
                          w.end_material();
                          w.begin_material("d", false);
                          w.end_material();
                      },
                      "load \"zylrtopt.so\" {\n}\nmaterial \"m\" {\n}\n\n#define material \"d\" "
                      "{\n}\n"},
        StatementCase{"light, accel, matrix and output blocks",
                      [](auto& w) {
                          w.begin_light("sun");
                          w.end_light();
                          w.begin_accel("bvh");
                          w.end_accel();
                          w.begin_matrix("m");
                          w.end_matrix();
                          w.begin_output("a", "b", "c");
                          w.end_output();
                      },
                      "\nlight \"sun\" {\n}\n\naccel \"bvh\" {\n}\n#define matrix \"m\" {\n}\n"
                      "output \"a\" \"b\" \"c\" {\n}\n"},
        StatementCase{"transforms round to single precision",
                      [](auto& w) {
                          double m[16];
                          std::memcpy(m, kIdentity, sizeof m);
                          m[12] = 0.1;
                          m[13] = 1234567.0;
                          w.transform(m);
                          w.set_transform(kIdentity);
                      },
                      "transform 1 0 0 0 0 1 0 0 0 0 1 0 0.1 1.23457e+06 0 1\n"
                      "set transform 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1\n"},
        StatementCase{"scale, rotate and translate keep double precision",
                      [](auto& w) {
                          w.scale(1.5, 2, 0.1);
                          w.rotate(90, 0, 0);
                          w.translate(-1, 1e-7, 3);
                      },
                      "scale 1.5 2 0.1\nrotate 90 0 0\ntranslate -1 1e-07 3\n"},
        StatementCase{"shader assignments by id, with an unknown kind",
                      [](auto& w) {
                          w.assign_shader(0, 1);
                          w.assign_shader(3, 2);
                          w.assign_shader(7, 5);
                      },
                      "surface 1\nreflection map 2\n// assuming surface shader\nsurface 5\n"},
        StatementCase{"version, with -1 written as 8",
                      [](auto& w) {
                          w.version(9);
                          w.version(-1);
                      },
                      "version 9\n\nversion 8\n\n"},
        StatementCase{"progress, id, flags, render, attribute",
                      [](auto& w) {
                          w.progress("meshes", 0.5f);
                          w.set_id(7);
                          w.set_flags(4294967295u);
                          w.render();
                          w.attribute("k", "v");
                      },
                      "progress \"meshes\" 0.500\n\nid 7\nflags 4294967295\n\nrender\n"
                      "attribute \"k\" \"v\"\n"},
        StatementCase{"messages are never formats",
                      [](auto& w) {
                          w.print_message("100%s done");
                          w.error_message("bad %d");
                      },
                      "#print \"100%s done\"\n#error \"bad %d\"\n"},
        StatementCase{"byte form of icon and named bytes",
                      [](auto& w) {
                          const unsigned char bytes[] = {0x00, 0xAB, 0x7f};
                          w.icon(bytes, 3);
                          w.write_bytes("blob", bytes, 2);
                      },
                      "icon bX00ab7f\nblob bX00ab\n"},
        StatementCase{"raw text is formatted as given",
                      [](auto& w) { w.write_raw("%s-%d\n", "a", 3); }, "a-3\n"},
        StatementCase{"camera sections, named and unnamed",
                      [](auto& w) {
                          w.begin_camera("cam");
                          w.end_camera();
                          w.begin_camera(nullptr);
                          w.end_camera();
                      },
                      "\ncamera \"cam\" {\n}\n\ncamera {\n}\n"},
        StatementCase{"options and image sections",
                      [](auto& w) {
                          w.begin_options();
                          w.end_options();
                          w.begin_image();
                          w.end_image();
                      },
                      "\noptions {\n}\n\nimage {\n}\n"},
        StatementCase{"a camera inside an object is refused and its end writes nothing",
                      [](auto& w) {
                          w.begin_object("o", true);
                          EXPECT_FALSE(w.begin_camera("c"));
                          w.end_camera();
                          // The end left list style: a parameter is now a list entry.
                          int32_t one = 1;
                          w.param("n", VT_INT, &one);
                      },
                      "object \"o\" {\n\"n\" 1,\n"},
        StatementCase{"a second section is refused while one is open",
                      [](auto& w) {
                          w.begin_camera("c");
                          EXPECT_FALSE(w.begin_options());
                          EXPECT_FALSE(w.begin_image());
                          EXPECT_FALSE(w.modify_camera("c"));
                          w.end_options();  // not its own section: nothing written
                      },
                      "\ncamera \"c\" {\n#modify "},
        StatementCase{"modify camera writes its prefix and the camera line",
                      [](auto& w) {
                          EXPECT_TRUE(w.modify_camera("c"));
                          w.end_camera();
                      },
                      "#modify \ncamera \"c\" {\n}\n"}),
    [](const testing::TestParamInfo<StatementCase>& param) {
        return "case" + std::to_string(param.index);
    });

TEST(WriterStyles, GroupsAreStatementsAndGeometryIsAList) {
    const int32_t one = 1;
    std::string text = written_by([&](zylScene_api_file& w) {
        w.param("top", VT_INT, &one);  // a new writer is in list style
        w.begin_group("g", true);
        w.param("inside_group", VT_INT, &one);
        w.begin_geometry("geo");
        w.param("inside_geometry", VT_INT, &one);
        w.end_geometry();
        w.param("back_in_group", VT_INT, &one);
        w.begin_load("mod");  // load keeps the style it finds
        w.param("in_load", VT_INT, &one);
        w.end_load();
        w.end_group();
        w.param("after", VT_INT, &one);
    });
    EXPECT_EQ(text,
              "\"top\" 1,\n\ngroup \"g\" {\ninside_group 1\ngeometry \"geo\" {\n"
              "\"inside_geometry\" 1,\n}\nback_in_group 1\nload \"mod\" {\nin_load 1\n}\n}\n"
              "\"after\" 1,\n");
}

TEST(WriterStyles, UnbalancedEndsDoNotBreakTheWriter) {
    const int32_t one = 1;
    std::string text = written_by([&](zylScene_api_file& w) {
        w.end_group();
        w.end_shader();
        w.pop_blob();
        w.end_object();
        w.param("x", VT_INT, &one);
    });
    EXPECT_EQ(text, "}\n}\n}\n\"x\" 1,\n");
}

TEST(WriterIndentation, ModeWithoutTheNoIndentBitIndentsBlocks) {
    std::string text = written_by([](zylScene_api_file& w) {
        w.set_mode(0x1);
        w.begin_group("g", true);
        w.begin_object("o", true);
        w.set_id(3);
        w.print_message("two\nlines");
        w.end_object();
        w.end_group();
    });
    EXPECT_EQ(text, "\ngroup \"g\" {\n object \"o\" {\n  id 3\n  #print \"two\nlines\"\n }\n}\n");
}

TEST(WriterNullOutput, WritesNothingAndStillAnswers) {
    zylScene_api_file writer(nullptr, true);
    EXPECT_TRUE(writer.begin_group("g", true));
    float f = 1;
    EXPECT_TRUE(writer.param("f", VT_FLOAT, &f));
    writer.end_group();
}

// An anonymous shader is captured into a blob that is later placed as a value.
TEST(CaptureBuffers, AnonymousShaderWithTwoParameters) {
    ShaderBlob* blob = nullptr;
    std::string text = written_by([&](zylScene_api_file& w) {
        w.push_blob();
        w.begin_shader(nullptr, "zyl_diffuse");
        const float color[3] = {1, 0.5f, 0};
        const int32_t n = 3;
        w.param("diffuse", VT_FLOAT3, color);
        w.param("n", VT_INT, &n);
        w.end_shader();
        blob = w.current_blob();
        ASSERT_NE(blob, nullptr);
        EXPECT_EQ(std::string(blob->data, static_cast<std::size_t>(blob->length)),
                  "\"zyl_diffuse\" {\n\"diffuse\" 1 0.5 0,\n\"n\" 3,\n}");
        EXPECT_EQ(blob->binary, 0);
        w.pop_blob();
        w.begin_material("m", true);
        w.assign_shader_blob(0, blob);
        w.end_material();
    });
    EXPECT_EQ(
        text,
        "material \"m\" {\nsurface \"zyl_diffuse\" {\n\"diffuse\" 1 0.5 0,\n\"n\" 3,\n}\n}\n");
}

TEST(CaptureBuffers, NestedInlineShadersAndBinaryContent) {
    std::string text = written_by([](zylScene_api_file& w) {
        w.push_blob();
        w.begin_shader(nullptr, "outer");
        const float k = 0.25f;
        w.param("k", VT_FLOAT, &k);
        w.push_blob();
        w.begin_shader(nullptr, "inner");
        const std::vector<int32_t> ids = {1, 2};
        const ArrayDesc array{ids.data(), 2};
        w.param("ids", VT_ARRAY + VT_INT, &array);  // a binary block marks the blob binary
        w.end_shader();
        ShaderBlob* inner = w.current_blob();
        EXPECT_EQ(inner->binary, 1);
        w.pop_blob();
        w.param_shader_blob("input", inner);
        w.end_shader();
        ShaderBlob* outer = w.current_blob();
        EXPECT_NE(outer, inner);
        EXPECT_EQ(outer->binary, 1);  // raw bytes were copied into it
        w.begin_group("g", true);
        w.param("shader", VT_BLOB, &outer);
        w.end_group();
    });
    const int32_t ids[] = {1, 2};
    const std::string inner =
        "\"inner\" {\n\"ids\" [ " + sceneapi_test::binary_block('i', 2, ids, sizeof ids) + "] ,\n}";
    EXPECT_EQ(text, "\ngroup \"g\" {\nshader \"outer\" {\n\"k\" 0.25,\n\"input\" ! " + inner +
                        ",\n}\n}\n");
}

TEST(CaptureBuffers, NamedAndNumberedShadersAreWrittenInPlace) {
    std::string text = written_by([](zylScene_api_file& w) {
        w.begin_shader_numbered("zyl_diffuse", 3);
        w.param_shader("base", 2);
        w.end_shader();
        w.begin_shader("my shader", "zyl_plastic");
        w.end_shader();
        w.assign_shader_blob(0, nullptr);  // no blob: nothing
    });
    EXPECT_EQ(text,
              "#define shader 3 zyl_diffuse {\n\"base\" ! 2,\n}\n"
              "#define shader \"my shader\" \"zyl_plastic\" {\n}\n");
}

// A text blob longer than the format buffer must still be copied whole.
TEST(CaptureBuffers, LongTextBlobIsCopiedWhole) {
    std::size_t blob_length = 0;
    std::string text = written_by([&](zylScene_api_file& w) {
        w.push_blob();
        w.begin_shader(nullptr, "t");
        // Many list entries make a text blob far longer than one formatted statement.
        std::string chunk(60000, 'b');
        for (int i = 0; i < 20; ++i) {
            w.param(chunk.c_str(), VT_STRING, "v");
        }
        w.end_shader();
        ShaderBlob* blob = w.current_blob();
        blob_length = static_cast<std::size_t>(blob->length);
        EXPECT_EQ(blob->binary, 0);
        w.pop_blob();
        w.param_shader_blob("s", blob);
    });
    ASSERT_GT(blob_length, 1048575u);
    // "s" ! <blob> ,\n
    EXPECT_EQ(text.size(), std::string("\"s\" ! ").size() + blob_length + 2);
    EXPECT_EQ(text.substr(text.size() - 3), "},\n");
}

TEST(CaptureBuffers, BlobsStayValidUntilTheWriterEnds) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    {
        zylScene_api_file w(file, true);
        std::vector<ShaderBlob*> blobs;
        for (int i = 0; i < 50; ++i) {
            w.push_blob();
            w.begin_shader(nullptr, "s");
            w.end_shader();
            blobs.push_back(w.current_blob());
            w.pop_blob();
        }
        for (ShaderBlob* blob : blobs) {
            EXPECT_STREQ(blob->data, "\"s\" {\n}");
        }
    }
    std::fclose(file);
}

}  // namespace
