// Bad input: each kind gives one ParseError naming the byte where the fault is, never a crash.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/vsfreader/scene_bytes.h"
#include "tools/vsfreader/reader.h"

namespace {

using vsf_test::block;
using vsf_test::block_head;
using vsf_test::header;
using vsf_test::raw;

struct BadInput {
    const char* name;
    std::string bytes;
    std::size_t offset;
    std::string message;  // a part of the message
};

// Offsets are counted from the end of the header lines.
const std::size_t H = header().size();

std::vector<BadInput> bad_inputs() {
    const std::string array = "\"v\" [ ";  // the binary block starts at H + 6
    return {
        {"empty file", "", 0, "not a scene file"},
        {"other text", "hello world\n", 0, "not a scene file"},
        {"other header", "//---tesmar:daX:7---\n", 0, "not a scene file"},
        {"bad dal version", "//---tesmar:dal:seven---\n", 0, "not a scene file"},
        {"file ends in the tag", header() + array + "\x01\x02\x03", H + 6, "truncated binary"},
        {"file ends in the count", header() + array + block_head('i', 2).substr(0, 6), H + 6,
         "truncated binary"},
        {"truncated data", header() + array + block<int32_t>('i', {1, 2, 3}).substr(0, 16), H + 10,
         "truncated binary block"},
        {"count larger than the file", header() + array + block_head('r', 1000000) + "] ,\n",
         H + 10, "truncated binary block"},
        {"count near the int32 maximum", header() + array + block_head('c', 0x7ffffffe), H + 10,
         "truncated binary block"},
        {"negative count", header() + array + block_head('f', -4) + raw<float>({1}) + "] ,\n",
         H + 10, "negative count -4"},
        {"count smaller than the data",
         header() + array + block_head('i', 1) + raw<int32_t>({7, 8}) + "] ,\n", H + 6 + 8 + 4,
         "expected ']' after the binary block"},
        {"unknown kind", header() + array + block_head('q', 0) + "] ,\n", H + 9,
         "unknown binary block kind 'q'"},
        {"bad tag", header() + array + "\x01\x02\x04" + "i" + std::string(4, '\0') + "] ,\n", H + 6,
         "bad binary block tag"},
        {"float3 count not a multiple of 3", header() + array + block<float>('c', {1, 2}) + "] ,\n",
         H + 10, "not a multiple of 3"},
        {"binary block outside an array", header() + "\"v\" " + block<int32_t>('i', {1}) + ",\n",
         H + 4, "binary block outside an array"},
        {"binary block after text elements",
         header() + "\"v\" [ 1," + block<int32_t>('i', {1}) + "] ,\n", H + 8,
         "binary block after text elements"},
        {"block not closed", header() + "group \"a\" {\nflags 0\n", H + 20, "unbalanced braces"},
        {"nested block not closed", header() + "group \"a\" {\nobject \"b\" {\n}\n", H + 27,
         "opened at byte " + std::to_string(H)},
        {"'}' without a block", header() + "flags 0\n}\n", H + 8, "unbalanced braces"},
        {"array not closed", header() + "\"v\" [ 1,2,\n", H + 11, "unbalanced brackets"},
        {"']' without '['", header() + "\"v\" 1 ],\n", H + 6, "unbalanced brackets"},
        {"'}' inside an array", header() + "group \"g\" {\n\"v\" [ 1, 2\n}\n", H + 23,
         "unbalanced brackets"},
        {"string broken by a line feed", header() + "group \"a\n\" {\n}\n", H + 6,
         "unterminated string"},
        {"string at the end of the file", header() + "\"name\" \"value", H + 7,
         "unterminated string"},
        {"message not closed", header() + "#print \"banner\n", H + 7, "unterminated string"},
        {"entry without its comma", header() + "\"a\" 1\n\"b\" 2,\n", H + 5, "missing ','"},
        {"odd hex digits", header() + "group xX61626 {\n}\n", H + 6, "odd number of hex digits"},
        {"bad number", header() + "\"n\" 1.2.3,\n", H + 4, "bad number '1.2.3'"},
        {"unknown directive", header() + "#include \"x\"\n", H, "unknown directive '#include'"},
        {"#define without a block", header() + "#define group \"a\"\n", H + 17, "expected '{'"},
        {"'!' without a shader", header() + "\"s\" ! ,\n", H + 6, "after '!'"},
        {"empty array element", header() + "\"v\" [ 1,,2 ] ,\n", H + 8, "empty element"},
        {"array in an array", header() + "\"v\" [ [ 1 ] ] ,\n", H + 6, "array inside an array"},
        {"stray control byte", header() + "flags 0\n\x02\n", H + 8, "byte 0x02"},
    };
}

class BadInputTest : public ::testing::TestWithParam<BadInput> {};

TEST_P(BadInputTest, ThrowsParseErrorAtTheOffendingByte) {
    const BadInput& input = GetParam();
    try {
        vsf::read_bytes(input.bytes);
        FAIL() << "no error for: " << input.name;
    } catch (const vsf::ParseError& error) {
        EXPECT_EQ(error.offset(), input.offset) << error.what();
        EXPECT_NE(std::string(error.what()).find(input.message), std::string::npos)
            << "message: " << error.what();
        EXPECT_LE(error.offset(), input.bytes.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Reader, BadInputTest, ::testing::ValuesIn(bad_inputs()),
                         [](const ::testing::TestParamInfo<BadInput>& param_info) {
                             std::string name;
                             for (const char* c = param_info.param.name; *c != '\0'; ++c) {
                                 const bool keep = (*c >= 'a' && *c <= 'z') ||
                                                   (*c >= 'A' && *c <= 'Z') ||
                                                   (*c >= '0' && *c <= '9');
                                 name += keep ? *c : '_';
                             }
                             return name;
                         });

// Nesting deep enough to exhaust the stack of a naive recursive parser is refused, not followed.
TEST(ReaderLimits, RefusesNestingDeeperThanAnySceneHas) {
    std::string deep_blocks = header();
    std::string deep_shaders = header() + "surface ";
    for (int i = 0; i < 100000; ++i) {
        deep_blocks += "group \"g\" {\n";
        deep_shaders += "\"t\" {\n\"x\" ! ";
    }
    EXPECT_THROW(vsf::read_bytes(deep_blocks), vsf::ParseError);
    EXPECT_THROW(vsf::read_bytes(deep_shaders), vsf::ParseError);

    std::string fifty = header();
    for (int i = 0; i < 50; ++i) {
        fifty += "group \"g\" {\n";
    }
    fifty += std::string(50, '}');
    EXPECT_EQ(vsf::read_bytes(fifty).root.find_all("group").size(), 50u);
}

}  // namespace
