#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "platform/utf.h"

namespace {

using platform::utf16_to_utf8;
using platform::utf8_to_utf16;

TEST(Utf, ConvertsEveryLengthOfSequenceBothWays) {
    // One-, two-, three- and four-byte sequences, the last a surrogate pair in UTF-16.
    const std::string utf8 = "A\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80z";
    const std::u16string utf16 = u"A\u00E9\u65E5\U0001F600z";
    EXPECT_EQ(utf8_to_utf16(utf8), utf16);
    EXPECT_EQ(utf16_to_utf8(utf16), utf8);
    EXPECT_EQ(utf8_to_utf16(""), u"");
    EXPECT_EQ(utf16_to_utf8(u""), "");
}

TEST(Utf, KeepsEmbeddedZeros) {
    const std::string utf8("a\0b", 3);
    const std::u16string utf16(u"a\0b", 3);
    EXPECT_EQ(utf8_to_utf16(utf8), utf16);
    EXPECT_EQ(utf16_to_utf8(utf16), utf8);
}

struct IllFormed {
    const char* what;
    std::string bad;  // placed between "a" and "z"
};

void PrintTo(const IllFormed& c, std::ostream* out) {
    *out << c.what;
}

class Utf8IllFormed : public ::testing::TestWithParam<IllFormed> {};

// Whatever the fault, the text around it survives and the fault becomes U+FFFD. How many U+FFFD
// one fault gives differs between converters (Windows and Wine already disagree), so only their
// presence is checked.
TEST_P(Utf8IllFormed, BecomesReplacementCharacters) {
    const std::u16string converted = utf8_to_utf16("a" + GetParam().bad + "z");
    ASSERT_GE(converted.size(), 3u);
    EXPECT_EQ(converted.front(), u'a');
    EXPECT_EQ(converted.back(), u'z');
    EXPECT_EQ(converted.substr(1, converted.size() - 2).find_first_not_of(u'\uFFFD'),
              std::u16string::npos);
}

INSTANTIATE_TEST_SUITE_P(Cases, Utf8IllFormed,
                         ::testing::Values(IllFormed{"stray continuation byte", "\x80"},
                                           IllFormed{"invalid lead byte", "\xFF"},
                                           IllFormed{"overlong slash", "\xC0\xAF"},
                                           IllFormed{"encoded surrogate", "\xED\xA0\x80"},
                                           IllFormed{"above U+10FFFF", "\xF4\x90\x80\x80"},
                                           IllFormed{"sequence cut by an ASCII byte", "\xE6\x97"}),
                         [](const ::testing::TestParamInfo<IllFormed>& case_info) {
                             std::string name = case_info.param.what;
                             for (char& c : name) {
                                 c = c == ' ' || c == '+' ? '_' : c;
                             }
                             return name;
                         });

// A sequence cut off by the end of the text: the conversion must not look past the end (the
// sanitizer build catches a read past it, as the text is copied to an exact-size buffer).
TEST(Utf, TruncatedTailBecomesReplacementCharacter) {
    for (const char* tail : {"\xC3", "\xE6\x97", "\xF0\x9F\x98"}) {
        const std::string text = std::string("ok") + tail;
        const std::vector<char> exact(text.begin(), text.end());
        const std::u16string converted =
            utf8_to_utf16(std::string_view(exact.data(), exact.size()));
        ASSERT_GE(converted.size(), 3u);
        EXPECT_EQ(converted.substr(0, 2), u"ok");
        EXPECT_EQ(converted.back(), u'\uFFFD');
        EXPECT_EQ(converted.find_first_not_of(u'\uFFFD', 2), std::u16string::npos);
    }
}

TEST(Utf, UnpairedSurrogatesBecomeReplacementCharacters) {
    const std::u16string lone_high = u"a" + std::u16string(1, char16_t(0xD83D)) + u"z";
    const std::u16string lone_low = u"a" + std::u16string(1, char16_t(0xDE00)) + u"z";
    const std::u16string high_at_end = u"a" + std::u16string(1, char16_t(0xD83D));
    EXPECT_EQ(utf16_to_utf8(lone_high), "a\xEF\xBF\xBDz");
    EXPECT_EQ(utf16_to_utf8(lone_low), "a\xEF\xBF\xBDz");
    EXPECT_EQ(utf16_to_utf8(high_at_end), "a\xEF\xBF\xBD");
}

}  // namespace
