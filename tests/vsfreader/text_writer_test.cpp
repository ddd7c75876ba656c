// Binary blocks written as text arrays: the same values read back, the rest of the file unchanged.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "tests/vsfreader/scene_bytes.h"
#include "tools/vsfreader/reader.h"
#include "tools/vsfreader/text_writer.h"

namespace {

using vsf_test::block;
using vsf_test::header;

std::string to_text(const std::string& bytes) {
    std::ostringstream out;
    vsf::write_text(out, bytes, vsf::read_bytes(bytes));
    return out.str();
}

// Same bits for every element, so that -0, denormals and nan payload-free values all count.
template <typename T>
void expect_same_values(const std::vector<T>& binary, const std::vector<double>& text) {
    ASSERT_EQ(binary.size(), text.size());
    for (std::size_t i = 0; i < binary.size(); ++i) {
        const T back = static_cast<T>(text[i]);
        if (std::isnan(static_cast<double>(binary[i]))) {
            EXPECT_TRUE(std::isnan(static_cast<double>(back))) << "element " << i;
        } else {
            EXPECT_EQ(std::memcmp(&back, &binary[i], sizeof(T)), 0)
                << "element " << i << ": " << binary[i] << " became " << back;
        }
    }
}

TEST(TextWriter, BinaryBlocksBecomeTextArraysOfTheSameValues) {
    const float fmax = std::numeric_limits<float>::max();
    const float fmin = std::numeric_limits<float>::denorm_min();
    const std::vector<float> float3s = {0.1f, -0.0f,    1e-7f,       fmax,         -fmax,
                                        fmin, 1.0f / 3, 16777217.0f, std::nanf("")};
    const std::vector<float> floats = {0.5f, 2.25e+10f, -std::numeric_limits<float>::infinity()};
    const std::vector<double> doubles = {0.1, 1e300, -4.9e-324, 1.0 / 3,
                                         std::numeric_limits<double>::max()};
    const std::vector<int32_t> ints = {0, -1, std::numeric_limits<int32_t>::min(),
                                       std::numeric_limits<int32_t>::max(), 42};
    const std::string bytes = header() + "object \"o\" {\ngeometry \"triangles\" {\n\"v\" [\n" +
                              block('c', float3s) + " ],\n\"f\" [ " + block('f', floats) +
                              "] ,\n\"r\" [ " + block('r', doubles) + "] ,\n\"i\" [\n" +
                              block('i', ints) + " ],\n}\n}\n";

    const std::string text = to_text(bytes);
    EXPECT_EQ(text.find('\x01'), std::string::npos);
    const vsf::Document back = vsf::read_bytes(text);
    const vsf::Block& geometry = *back.root.block("object")->block("geometry");
    const vsf::Array& v = *geometry.param("v")->array();
    EXPECT_EQ(v.kind, vsf::ArrayKind::text);
    EXPECT_EQ(v.width, 3u);
    EXPECT_EQ(v.elements, 3u);
    expect_same_values(float3s, v.numbers);
    expect_same_values(floats, geometry.param("f")->array()->numbers);
    expect_same_values(doubles, geometry.param("r")->array()->numbers);
    expect_same_values(ints, geometry.param("i")->array()->numbers);
}

TEST(TextWriter, UsesTheWritersTextArrayLayout) {
    std::vector<int32_t> twenty(20);
    for (int32_t i = 0; i < 20; ++i) {
        twenty[static_cast<std::size_t>(i)] = i;
    }
    const std::string bytes = header() + "\"i\" [ " + block('i', twenty) + "] ,\n\"c\" [\n" +
                              block<float>('c', {1, 2, 3, 4.5f, 5, 6}) + " ],\n\"e\" [ " +
                              block<float>('f', {}) + "] ,\n";
    EXPECT_EQ(to_text(bytes), header() +
                                  "\"i\" [ 0,1,2,3,4,5,6,7,8,\n9,10,11,12,13,14,15,16,\n"
                                  "17,18,19 ] ,\n"
                                  "\"c\" [\n1 2 3,4.5 5 6  ],\n"
                                  "\"e\" [ ] ,\n");
}

TEST(TextWriter, LeavesEverythingElseByteForByte) {
    const std::string plain = header() + "#print \"a \"quoted\" 100%s\"\nversion 9\n\n" +
                              "group xX4c617965722031 {\n\"t\" [ 1,2.5000000000000000,nan ] ,\n" +
                              "surface \"zyl_diffuse\" {\n\"diffuse\" 0.75 0.5 0.5,\n}\n" +
                              "// assuming surface shader\n}\n";
    EXPECT_EQ(to_text(plain), plain);
}

TEST(TextWriter, ConvertsBlocksInsideInlineShaders) {
    const std::string bytes = header() + "surface \"zyl_composite\" {\n\"shaders\" [\n" +
                              block<int32_t>('i', {4, 7}) + " ],\n\"inner\" ! \"x\" {\n\"w\" [ " +
                              block<double>('r', {0.25}) + "] ,\n},\n}\n";
    const std::string text = to_text(bytes);
    EXPECT_EQ(text, header() + "surface \"zyl_composite\" {\n\"shaders\" [\n4,7  ],\n" +
                        "\"inner\" ! \"x\" {\n\"w\" [ 0.25 ] ,\n},\n}\n");
}

}  // namespace
