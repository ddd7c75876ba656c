#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/numeric_locale.h"

namespace {

std::string formatted(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

// Names of a decimal-comma locale: glibc's (scripts/setup.sh generates it), then msvcrt's.
const char* const kCommaLocales[] = {"de_DE.UTF-8", "de_DE.utf8", "German_Germany.1252", "deu"};

TEST(NumericLocale, SwitchesToADecimalCommaAndBack) {
    const std::string saved = platform::numeric_locale();
    bool switched = false;
    for (const char* name : kCommaLocales) {
        if (platform::set_numeric_locale(name)) {
            switched = true;
            break;
        }
    }
    ASSERT_TRUE(switched) << "no decimal-comma locale is installed";
    EXPECT_EQ(formatted(1.5), "1,5");
    EXPECT_NE(platform::numeric_locale(), saved);

    ASSERT_TRUE(platform::set_numeric_locale("C"));
    EXPECT_EQ(formatted(1.5), "1.5");

    ASSERT_TRUE(platform::set_numeric_locale(saved));
    EXPECT_EQ(platform::numeric_locale(), saved);
}

TEST(NumericLocale, UnknownNameChangesNothing) {
    ASSERT_TRUE(platform::set_numeric_locale("C"));
    EXPECT_FALSE(platform::set_numeric_locale("xx_NO_SUCH_LOCALE"));
    EXPECT_EQ(platform::numeric_locale(), "C");
    EXPECT_EQ(formatted(2.5), "2.5");
}

}  // namespace
