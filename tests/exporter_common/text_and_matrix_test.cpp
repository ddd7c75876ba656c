// Host names and transforms as the scene library receives them.
#include <gtest/gtest.h>

#include <string>

#include "exporter/narrow_text.h"
#include "exporter/row_matrix.h"

namespace {

TEST(NarrowText, KeepsTheLowByteOfEachUnit) {
    struct Case {
        std::u16string host;
        std::string narrow;
    } cases[] = {
        {u"Box01", "Box01"},
        {u"", ""},
        {u"caf\u00e9", "caf\xe9"},                        // Latin-1 survives as one byte
        {u"\u0141ódź", std::string("A\xf3\x64\x7a", 4)},  // U+0141 -> 0x41, U+017A -> 0x7A
        {u"ab\u0100cd", "ab"},                            // low byte zero ends the name
        {std::u16string(u"x\0y", 3), "x"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(vsf::narrow_text(c.host), c.narrow);
    }
}

TEST(NarrowText, CutsLongNamesAt1023Units) {
    EXPECT_EQ(vsf::narrow_text(std::u16string(5000, u'n')), std::string(1023, 'n'));
    EXPECT_EQ(vsf::narrow_text(std::u16string(1023, u'n')).size(), 1023u);
}

TEST(RowMatrix, RowsInOrderWithTheFourthColumnFixed) {
    const host::Matrix3 m({1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12});
    const zyl::Matrix4d expected = {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 1};
    EXPECT_EQ(vsf::row_matrix(m), expected);
    const zyl::Matrix4d identity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    EXPECT_EQ(vsf::row_matrix(host::Matrix3()), identity);
}

}  // namespace
