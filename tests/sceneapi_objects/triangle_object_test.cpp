// Triangle meshes: validation findings, the written object with its binary arrays and material,
// and the define-once, reference-by-id form.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "importers/sceneapi/dev/sceneapi.h"
#include "scene_capture.h"

namespace {

using objects_test::array_entry;
using objects_test::SceneCapture;
using zyl::Float3;
using zyl::TriangleObject;

const std::string kDefaultMaterial =
    "material \"default\" {\nsurface \"zyl_diffuse\" {\n\"diffuse\" 0.75 0.5 0.5,\n}\n"
    "flags 4096\n}\n";

// A unit quad: four vertices, two triangles.
void make_quad(TriangleObject& mesh) {
    mesh.add_vertex(0, 0, 0);
    mesh.add_vertex(1, 0, 0);
    mesh.add_vertex(1, 1, 0);
    mesh.add_vertex(0, 1, 0);
    mesh.add_triangle(0, 1, 2);
    mesh.add_triangle(0, 2, 3);
}

struct ValidationCase {
    const char* what;
    std::function<void(TriangleObject&)> fill;
    bool writable;
    std::string findings;
};

class Validation : public testing::TestWithParam<ValidationCase> {};

TEST_P(Validation, ReportsItsFindingsRunTogether) {
    const ValidationCase& c = GetParam();
    TriangleObject mesh("m");
    c.fill(mesh);
    EXPECT_EQ(mesh.validate(), c.writable) << c.what;
    EXPECT_EQ(mesh.error_text(), c.findings) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    TriangleObject, Validation,
    testing::Values(ValidationCase{"consistent quad with per-vertex uv, normals and colours",
                                   [](TriangleObject& m) {
                                       make_quad(m);
                                       for (int i = 0; i < 4; ++i) {
                                           m.add_uv(0.5f, 0.5f);
                                           m.add_normal(0, 0, 1);
                                           m.vcolors().push_back({1, 1, 1});
                                       }
                                   },
                                   true, ""},
                    ValidationCase{
                        "normals of the wrong length and no triangles: two messages, no separator",
                        [](TriangleObject& m) {
                            m.add_vertex(0, 0, 0);
                            m.add_vertex(1, 0, 0);
                            m.add_normal(0, 0, 1);
                        },
                        false,
                        "Number of normals does not equal number of vertices"
                        "No triangles defined"},
                    ValidationCase{"3 uv pairs for 4 vertices: element counts",
                                   [](TriangleObject& m) {
                                       make_quad(m);
                                       m.add_uv(0, 0);
                                       m.add_uv(1, 0);
                                       m.add_uv(1, 1);
                                   },
                                   true, "Number of uvs(6)  does not match vertex count(12)"},
                    ValidationCase{"normal indices of another length than the triangle indices",
                                   [](TriangleObject& m) {
                                       make_quad(m);
                                       m.add_triangle(1, 2, 3);
                                       m.add_normal(0, 0, 1);
                                       m.triangles_norm() = {0, 0, 0, 0, 0, 0};
                                   },
                                   true, "Normals count does not match number of triangles 6 vs 9"},
                    ValidationCase{"normal indices without normals",
                                   [](TriangleObject& m) {
                                       make_quad(m);
                                       m.triangles_norm() = {0, 0, 0, 0, 0, 0};
                                   },
                                   true, "No normals defined for index"},
                    ValidationCase{"per-corner uv with indices of another length",
                                   [](TriangleObject& m) {
                                       make_quad(m);
                                       for (int i = 0; i < 4; ++i) {
                                           m.add_uv(0, 0);
                                       }
                                       m.triangles_uv() = {0, 1, 2};
                                   },
                                   true, "UV index count does not match triangle count"},
                    ValidationCase{"per-corner uv: any number of uv pairs",
                                   [](TriangleObject& m) {
                                       make_quad(m);
                                       m.add_uv(0, 0);
                                       m.add_uv(1, 1);
                                       m.triangles_uv() = {0, 1, 1, 0, 1, 0};
                                   },
                                   true, ""},
                    ValidationCase{"vertex colours of another count",
                                   [](TriangleObject& m) {
                                       make_quad(m);
                                       m.vcolors().push_back({1, 0, 0});
                                   },
                                   true, "VetexColor count does not match number of vertices"},
                    ValidationCase{"findings that occur together keep their fixed order",
                                   [](TriangleObject& m) {
                                       m.add_vertex(0, 0, 0);
                                       m.add_normal(0, 0, 1);
                                       m.add_normal(0, 0, 1);
                                       m.add_uv(0, 0);
                                       m.add_uv(1, 1);
                                       m.vcolors().push_back({1, 0, 0});
                                       m.vcolors().push_back({1, 0, 0});
                                   },
                                   false,
                                   "Number of normals does not equal number of vertices"
                                   "Number of uvs(4)  does not match vertex count(3)"
                                   "VetexColor count does not match number of vertices"
                                   "No triangles defined"},
                    ValidationCase{"vertex index past the last vertex",
                                   [](TriangleObject& m) {
                                       make_quad(m);
                                       m.add_triangle(2, 3, 4);
                                   },
                                   true, "triangles index 4 out of range (4 vertices)"},
                    ValidationCase{"negative vertex index: the first offender is named",
                                   [](TriangleObject& m) {
                                       make_quad(m);
                                       m.add_triangle(1, -1, 9);
                                   },
                                   true, "triangles index -1 out of range (4 vertices)"},
                    ValidationCase{"offenders far past the end and deep inside a long index run",
                                   [](TriangleObject& m) {
                                       make_quad(m);
                                       for (int i = 0; i < 20; ++i) {
                                           m.add_triangle(0, 1, 2);
                                       }
                                       m.triangles()[37] = 2147483647;
                                       m.triangles()[50] = -2147483647 - 1;
                                   },
                                   true, "triangles index 2147483647 out of range (4 vertices)"},
                    ValidationCase{"uv and normal indices are checked against their own arrays",
                                   [](TriangleObject& m) {
                                       make_quad(m);
                                       m.add_uv(0, 0);
                                       m.add_uv(1, 1);
                                       m.triangles_uv() = {0, 1, 1, 0, 1, 2};
                                       m.add_normal(0, 0, 1);
                                       m.triangles_norm() = {0, 0, 0, 0, 1, 0};
                                   },
                                   true,
                                   "triangles_uv index 2 out of range (2 uvs)"
                                   "triangles_norm index 1 out of range (1 normals)"},
                    ValidationCase{"indices filled in bulk that are not whole triangles",
                                   [](TriangleObject& m) {
                                       make_quad(m);
                                       m.triangles().push_back(0);
                                   },
                                   true, "Triangle index count 7 is not a multiple of 3"}));

TEST(TriangleObjectEmit, WritesEveryArrayAsOneBinaryBlockThenTheMaterial) {
    TriangleObject mesh("Box");
    make_quad(mesh);
    for (int i = 0; i < 4; ++i) {
        mesh.add_normal(0, 0, 1);
        mesh.vcolors().push_back({0.25f * static_cast<float>(i), 0.5f, 1.0f});
    }
    mesh.add_uv(0, 0);
    mesh.add_uv(1, 0);
    mesh.add_uv(0.5f, 1);
    mesh.triangles_uv() = {0, 1, 2, 0, 2, 1};
    mesh.triangles_norm() = {0, 1, 2, 0, 2, 3};

    SceneCapture capture;
    capture.api().emit(mesh);
    EXPECT_EQ(capture.scene(), "object \"Box\" {\ngeometry \"triangles\" {\n" +
                                   array_entry("vertices", 'c', mesh.vertices()) +
                                   array_entry("triangles", 'i', mesh.triangles()) +
                                   array_entry("triangles_uv", 'i', mesh.triangles_uv()) +
                                   array_entry("uv_tex", 'f', mesh.uv()) +
                                   array_entry("triangles_norm", 'i', mesh.triangles_norm()) +
                                   array_entry("normals", 'c', mesh.normals()) +
                                   array_entry("vcolors", 'c', mesh.vcolors()) + "}\n" +
                                   kDefaultMaterial + "}\n");
}

TEST(TriangleObjectEmit, OptionalArraysAreLeftOutWhenEmpty) {
    TriangleObject mesh("Plain");
    make_quad(mesh);
    SceneCapture capture;
    capture.api().emit(mesh);
    EXPECT_EQ(capture.scene(), "object \"Plain\" {\ngeometry \"triangles\" {\n" +
                                   array_entry("vertices", 'c', mesh.vertices()) +
                                   array_entry("triangles", 'i', mesh.triangles()) + "}\n" +
                                   kDefaultMaterial + "}\n");
}

TEST(TriangleObjectEmit, InconsistentMeshIsWrittenAndItsFindingsFollowTheObject) {
    TriangleObject mesh("Odd");
    make_quad(mesh);
    mesh.add_uv(0, 0);
    auto material = std::make_shared<zyl::GenericMaterial>("paint");
    mesh.set_material(material);
    SceneCapture capture;
    capture.api().emit(mesh);
    EXPECT_EQ(capture.scene(),
              "object \"Odd\" {\ngeometry \"triangles\" {\n" +
                  array_entry("vertices", 'c', mesh.vertices()) +
                  array_entry("triangles", 'i', mesh.triangles()) +
                  array_entry("uv_tex", 'f', mesh.uv()) + "}\n" +
                  "material \"paint\" {\n#define shader 1 zyl_diffuse {\n"
                  "\"diffuse\" 0.75 0.5 0.5,\n}\nsurface 1\nflags 4096\n}\n"
                  "}\n"
                  "#error \"Number of uvs(2)  does not match vertex count(12)\"\n");
}

TEST(TriangleObjectEmit, MeshWithoutTrianglesWritesOnlyTheErrorLine) {
    TriangleObject mesh("Empty");
    mesh.add_vertex(0, 0, 0);
    mesh.add_normal(0, 0, 1);
    mesh.add_normal(0, 0, 1);
    SceneCapture capture;
    capture.api().emit(mesh);
    EXPECT_EQ(capture.scene(),
              "#error \"Number of normals does not equal number of vertices"
              "No triangles defined\"\n");
}

TEST(TriangleObjectEmit, EachEmitValidatesAgain) {
    TriangleObject mesh("Fixed");
    make_quad(mesh);
    mesh.add_uv(0, 0);
    SceneCapture capture;
    capture.api().emit(mesh);
    EXPECT_FALSE(mesh.error_text().empty());
    for (int i = 1; i < 4; ++i) {
        mesh.add_uv(0, 0);
    }
    mesh.set_name("Fixed again");
    capture.api().emit(mesh);
    EXPECT_EQ(mesh.error_text(), "");
    const std::string text = capture.scene();
    const std::size_t second = text.find("object \"Fixed again\" {\n");
    ASSERT_NE(second, std::string::npos);
    EXPECT_EQ(text.find("#error", second), std::string::npos);
    EXPECT_EQ(text.find("#error"), text.rfind("#error"));
}

TEST(TriangleObjectEmit, ClearedMaterialWritesTheObjectWithoutOne) {
    TriangleObject mesh("Bare");
    make_quad(mesh);
    mesh.set_material(nullptr);
    SceneCapture capture;
    capture.api().emit(mesh);
    EXPECT_EQ(capture.scene(), "object \"Bare\" {\ngeometry \"triangles\" {\n" +
                                   array_entry("vertices", 'c', mesh.vertices()) +
                                   array_entry("triangles", 'i', mesh.triangles()) + "}\n}\n");
}

TEST(TriangleObjectEmit, LargeMeshArraysArriveWhole) {
    // A 300 x 300 grid: 90,000 vertices, 178,802 triangles; every value must reach the file.
    TriangleObject mesh("Grid");
    const int n = 300;
    mesh.vertices().reserve(n * n);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            mesh.add_vertex(static_cast<float>(x), static_cast<float>(y), 0.001f * x * y);
        }
    }
    for (int y = 0; y + 1 < n; ++y) {
        for (int x = 0; x + 1 < n; ++x) {
            const int c = y * n + x;
            mesh.add_triangle(c, c + 1, c + n + 1);
            mesh.add_triangle(c, c + n + 1, c + n);
        }
    }
    SceneCapture capture;
    capture.api().emit(mesh);
    EXPECT_TRUE(mesh.error_text().empty());
    EXPECT_EQ(capture.scene(), "object \"Grid\" {\ngeometry \"triangles\" {\n" +
                                   array_entry("vertices", 'c', mesh.vertices()) +
                                   array_entry("triangles", 'i', mesh.triangles()) + "}\n" +
                                   kDefaultMaterial + "}\n");
}

TEST(TriangleObjectDefine, DefinitionThenReferencesById) {
    TriangleObject mesh("Bolt");
    make_quad(mesh);
    mesh.add_uv(0, 0);  // inconsistent, but a definition is not validated
    const std::string geometry = array_entry("vertices", 'c', mesh.vertices()) +
                                 array_entry("triangles", 'i', mesh.triangles()) +
                                 array_entry("uv_tex", 'f', mesh.uv());
    SceneCapture capture;
    capture.api().new_id();  // ids are the front end's: the definition takes the next one
    mesh.define(capture.api());
    EXPECT_TRUE(mesh.is_defined());
    EXPECT_EQ(mesh.instance_id(), 2);
    EXPECT_TRUE(mesh.vertices().empty());
    EXPECT_TRUE(mesh.triangles().empty());
    EXPECT_TRUE(mesh.uv().empty());
    EXPECT_EQ(mesh.data_size(), 0);

    capture.api().emit(mesh);
    mesh.set_name("Bolt 2");
    capture.api().emit(mesh);
    EXPECT_TRUE(mesh.validate());
    EXPECT_EQ(mesh.error_text(), "");
    const std::string instance = "geometry \"instance\" {\n\"id\" 2,\n}\n";
    EXPECT_EQ(capture.scene(),
              "id 1\n"
              "#define object \"Bolt\" {\nid 2\ngeometry \"triangles\" {\n" +
                  geometry + "}\n}\n" + "object \"Bolt\" {\n" + instance + kDefaultMaterial +
                  "}\n" + "object \"Bolt 2\" {\n" + instance + kDefaultMaterial + "}\n");
}

TEST(TriangleObjectData, SizeCountsFourBytesPerElementOfEveryArray) {
    TriangleObject mesh("m");
    make_quad(mesh);                      // 12 + 6
    mesh.add_uv(0, 0);                    // 2
    mesh.triangles_uv() = {0};            // 1
    mesh.add_normal(0, 0, 1);             // 3
    mesh.triangles_norm() = {0, 0};       // 2
    mesh.vcolors().push_back({1, 1, 1});  // 3
    EXPECT_EQ(mesh.data_size(), 4 * (12 + 6 + 2 + 1 + 3 + 2 + 3));
    ASSERT_NE(mesh.material(), nullptr);
    EXPECT_EQ(mesh.material()->name(), "default");
}

}  // namespace
