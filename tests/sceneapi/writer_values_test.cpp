// Byte-exact spelling of values, arrays (text and binary), lists and the number rule.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "capture.h"
#include "importers/sceneapi/dev/scene_api_file.h"

namespace {

using sceneapi_test::binary_block;
using sceneapi_test::written_by;

// One list-style parameter (the writer's initial style) of the given value.
std::string list_param(int32_t type, const void* value, bool binary = true) {
    return written_by([&](zylScene_api_file& w) { w.param("p", type, value); }, binary);
}

TEST(ScalarValues, EachTypeCode) {
    const float f3[3] = {1, 0.5f, -2};
    const float f4[4] = {1, 2, 3, 4};
    const float f2[2] = {0.25f, 8};
    const double d3[3] = {0.1, 1e-300, 123456789.0};
    const int32_t i4[4] = {-1, 2, 3, 2147483647};
    const int32_t shader = 12;
    const double half = 0.5;
    const int32_t five = 5, zero = 0;
    struct Case {
        int32_t type;
        const void* value;
        const char* text;
    } cases[] = {
        {VT_FLOAT3, f3, "1 0.5 -2"},
        {VT_FLOAT4, f4, "1 2 3 4"},
        {VT_FLOAT4B, f4, "1 2 3 4"},
        {VT_FLOAT2, f2, "0.25 8"},
        {VT_DOUBLE, &half, "0.5000000000000000"},
        {VT_DOUBLE3, d3, "0.1 1e-300 1.23457e+08"},
        {VT_INT, &i4[0], "-1"},
        {VT_SHADER, &shader, "12"},
        {VT_BOOL, &five, "on"},
        {VT_BOOL, &zero, "off"},
        {VT_INT2, i4, "-1 2"},
        {VT_INT3, i4, "-1 2 3"},
        {VT_INT4, i4, "-1 2 3 2147483647"},
        {VT_STRING, "perspective", "\"perspective\""},
        {8, f4, ""},  // codes without a spelling write no value
        {0x2000, f4, ""},
        {99, f4, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(list_param(c.type, c.value), std::string("\"p\" ") + c.text + ",\n")
            << "type " << c.type;
    }
    const char* text = "ref";
    EXPECT_EQ(list_param(VT_STRING_REF, &text), "\"p\" \"ref\",\n");
}

TEST(ScalarValues, NumberRuleForFloats) {
    struct Case {
        float value;
        const char* text;
    } cases[] = {
        {1.5f, "1.5"},
        {std::numeric_limits<float>::quiet_NaN(), "-1"},
        {std::numeric_limits<float>::infinity(), "-1"},
        {-std::numeric_limits<float>::infinity(), "-1"},
        {std::numeric_limits<float>::max(), "-1"},  // the extreme itself is out
        {-std::numeric_limits<float>::max(), "-1"},
        {3.4e38f, "3.4e+38"},
        {1e-45f, "1.4013e-45"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(list_param(VT_FLOAT, &c.value), std::string("\"p\" ") + c.text + ",\n")
            << c.value;
    }
    // Doubles as scalars are not subject to the rule.
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(list_param(VT_DOUBLE, &inf), "\"p\"              inf,\n");  // "%16.16f" pads
}

TEST(ScalarValues, MatrixIsRoundedToSinglePrecisionOnlyAsAScalar) {
    double m[16] = {0.1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1.0000001, 0, 0, 1};
    EXPECT_EQ(list_param(VT_MATRIX, m), "\"p\" 0.1 0 0 0 0 1 0 0 0 0 1 0 1 0 0 1,\n");
    m[0] = 0.123456789;
    const ArrayDesc one{m, 1};
    // As an array element the matrix keeps double precision.
    EXPECT_EQ(list_param(VT_ARRAY + VT_MATRIX, &one, false),
              "\"p\" [ 0.123457 0 0 0 0 1 0 0 0 0 1 0 1 0 0 1 \n] ,\n");
    double two[32] = {};
    const ArrayDesc pair{two, 2};
    EXPECT_EQ(list_param(VT_ARRAY + VT_MATRIX, &pair, true),
              "\"p\" [ 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 ,\n0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 \n] ,\n");
}

TEST(ScalarValues, StatementStyleWritesNameAndValueOnALine) {
    std::string text = written_by([](zylScene_api_file& w) {
        w.begin_group("g", true);
        w.param("projection", VT_STRING, "perspective");
        const float c[3] = {1, 2, 3};
        w.param("color", VT_FLOAT3, c);
        w.end_group();
    });
    EXPECT_EQ(text, "\ngroup \"g\" {\nprojection \"perspective\"\ncolor 1 2 3\n}\n");
}

TEST(TextArrays, FloatsWithNumberRule) {
    const float values[] = {1, 2.5f, std::nanf("")};
    const ArrayDesc array{values, 3};
    EXPECT_EQ(list_param(VT_ARRAY + VT_FLOAT, &array, false), "\"p\" [ 1,2.5,-1 ] ,\n");
}

TEST(TextArrays, LineBreaksAfterIndexEightAndSixteen) {
    std::vector<int32_t> values(20);
    for (int i = 0; i < 20; ++i) {
        values[static_cast<std::size_t>(i)] = i;
    }
    const ArrayDesc array{values.data(), 20};
    EXPECT_EQ(list_param(VT_ARRAY + VT_INT, &array, false),
              "\"p\" [ 0,1,2,3,4,5,6,7,8,\n9,10,11,12,13,14,15,16,\n17,18,19 ] ,\n");
}

TEST(TextArrays, EachElementType) {
    const float f3[] = {1, 2, 3, 4, 5, 6};
    const float f4[] = {1, 2, 3, 4};
    const double d[] = {0.5, std::nan("")};
    const double d3[] = {1, 2, 3};
    const int32_t b[] = {0, 7};
    const char* strings[] = {"a", "b\"c"};
    struct Case {
        int32_t type;
        ArrayDesc array;
        const char* text;
    } cases[] = {
        {VT_FLOAT3, {f3, 2}, "[ 1 2 3,4 5 6 ] "},
        {VT_FLOAT4, {f4, 1}, "[ 1 2 3 4 ] "},
        {VT_DOUBLE, {d, 2}, "[ 0.5000000000000000,-1.0000000000000000 ] "},
        {VT_DOUBLE3, {d3, 1}, "[ 1 2 3 ] "},
        {VT_BOOL, {b, 2}, "[ 0,1 ] "},
        {VT_SHADER, {b, 2}, "[ 0,7 ] "},
        {VT_STRING, {strings, 2}, "[ \"a\",\nxX622263 \n] "},
        {VT_STRING_REF, {strings, 1}, "[ \"a\" \n] "},
        {VT_INT, {b, 0}, "[ ] "},
        {VT_FLOAT4B, {f4, 1}, ""},  // no array form at all
        {VT_FLOAT2, {f4, 2}, ""},
        {VT_INT2, {b, 1}, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(list_param(VT_ARRAY + c.type, &c.array, false),
                  std::string("\"p\" ") + c.text + ",\n")
            << "type " << c.type;
    }
}

TEST(BinaryArrays, KindsCountsAndBytes) {
    const float f3[] = {1, 2, 3, 4, 5, 6};
    const float f[] = {0.5f};
    const double d[] = {1, 2, 3};
    const int32_t i[] = {-1, 0, 7};
    struct Case {
        int32_t type;
        ArrayDesc array;
        char kind;
        int32_t count;
        std::size_t bytes;
    } cases[] = {
        {VT_FLOAT3, {f3, 2}, 'c', 6, 24}, {VT_FLOAT, {f, 1}, 'f', 1, 4},
        {VT_DOUBLE, {d, 3}, 'r', 3, 24},  {VT_INT, {i, 3}, 'i', 3, 12},
        {VT_SHADER, {i, 3}, 'i', 3, 12},  {VT_INT, {i, 0}, 'i', 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(list_param(VT_ARRAY + c.type, &c.array),
                  "\"p\" [ " + binary_block(c.kind, c.count, c.array.data, c.bytes) + "] ,\n")
            << "type " << c.type;
    }
    // Element types without a binary form fall back to text.
    const int32_t flags[] = {1, 0};
    const ArrayDesc bools{flags, 2};
    EXPECT_EQ(list_param(VT_ARRAY + VT_BOOL, &bools), "\"p\" [ 1,0 ] ,\n");
}

TEST(BinaryArrays, SetModeSwitchesTheBinaryForm) {
    const int32_t i[] = {4, 5};
    const ArrayDesc array{i, 2};
    std::string text = written_by([&](zylScene_api_file& w) {
        w.set_mode(0x400001);  // bit 1 clear: text arrays
        w.param("a", VT_ARRAY + VT_INT, &array);
        w.set_mode(0x400003);
        w.param("b", VT_ARRAY + VT_INT, &array);
    });
    EXPECT_EQ(text, "\"a\" [ 4,5 ] ,\n\"b\" [ " + binary_block('i', 2, i, 8) + "] ,\n");
}

TEST(Lists, BinaryIntListIsOneBlockAtTheEnd) {
    std::string text = written_by([](zylScene_api_file& w) {
        w.begin_list("ids");
        for (int32_t v = 0; v < 7; ++v) {
            w.list_item(VT_INT, &v);
        }
        w.end_list();
    });
    const int32_t values[] = {0, 1, 2, 3, 4, 5, 6};
    EXPECT_EQ(text, "\"ids\" [\n" + binary_block('i', 7, values, sizeof values) + " ],\n");
}

TEST(Lists, BinaryFloat3ListCountsScalars) {
    std::string text = written_by([](zylScene_api_file& w) {
        w.begin_list("p");
        const float a[3] = {1, 2, 3}, b[3] = {4, 5, 6};
        w.list_item(VT_FLOAT3, a);
        w.list_item(VT_FLOAT3, b);
        w.end_list();
    });
    const float values[] = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(text, "\"p\" [\n" + binary_block('c', 6, values, sizeof values) + " ],\n");
}

TEST(Lists, TextFloat3ListBreaksBeforeOddItems) {
    std::string text = written_by(
        [](zylScene_api_file& w) {
            w.begin_list("p");
            for (int i = 0; i < 5; ++i) {
                const float v[3] = {float(i), 0, 0};
                w.list_item(VT_FLOAT3, v);
            }
            w.end_list();
        },
        false);
    EXPECT_EQ(text, "\"p\" [\n0 0 0, 1 0 0,\n2 0 0, 3 0 0,\n4 0 0 ],\n");
}

TEST(Lists, TextScalarsSixToALineAndOtherTypesStayText) {
    std::string text = written_by([](zylScene_api_file& w) {
        w.begin_list("s");
        for (int i = 0; i < 8; ++i) {
            const int32_t shader = i;  // shader ids are never buffered
            w.list_item(VT_SHADER, &shader);
        }
        w.end_list();
        w.begin_list("names");
        w.list_item(VT_STRING, "a");
        const char* ref = "b";
        w.list_item(VT_STRING_REF, &ref);
        w.end_list();
        w.begin_list("empty");
        w.end_list();
    });
    EXPECT_EQ(text,
              "\"s\" [\n0, 1, 2, 3, 4, 5,\n6, 7 ],\n\"names\" [\n\"a\", \"b\" ],\n"
              "\"empty\" [\n ],\n");
}

TEST(Lists, BlobItemsAndBlobParameters) {
    std::string text = written_by([](zylScene_api_file& w) {
        w.push_blob();
        w.begin_shader(nullptr, "s");
        w.end_shader();
        ShaderBlob* blob = w.current_blob();
        w.pop_blob();
        w.begin_list("shaders");
        w.list_item(VT_BLOB, &blob);
        w.list_item(VT_BLOB, &blob);
        w.end_list();
    });
    EXPECT_EQ(text, "\"shaders\" [\n\"s\" {\n}, \"s\" {\n} ],\n");
}

}  // namespace
