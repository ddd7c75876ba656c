#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>

#include "platform/clock.h"
#include "platform/process.h"

namespace {

int seconds_of_day(const std::string& text) {
    return std::atoi(text.substr(0, 2).c_str()) * 3600 + std::atoi(text.substr(3, 2).c_str()) * 60 +
           std::atoi(text.substr(6, 2).c_str());
}

TEST(Clock, LocalTimeIsTwentyFourHourTimeWithColons) {
    const std::time_t before = std::time(nullptr);
    const std::string text = platform::local_time_text();
    ASSERT_EQ(text.size(), 8u) << text;
    for (const std::size_t i : {0u, 1u, 3u, 4u, 6u, 7u}) {
        EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(text[i]))) << text;
    }
    EXPECT_EQ(text[2], ':');
    EXPECT_EQ(text[5], ':');
    EXPECT_LE(std::atoi(text.substr(0, 2).c_str()), 23) << text;
    EXPECT_LE(std::atoi(text.substr(3, 2).c_str()), 59) << text;
    EXPECT_LE(std::atoi(text.substr(6, 2).c_str()), 59) << text;

    // The same local time the C runtime gives (a second may pass in between).
    const std::tm* local = std::localtime(&before);
    ASSERT_NE(local, nullptr);
    const int expected = local->tm_hour * 3600 + local->tm_min * 60 + local->tm_sec;
    const int difference = (seconds_of_day(text) - expected + 86400) % 86400;
    EXPECT_LE(difference, 2) << text;
}

// The tick count of Windows moves in steps of about 16 ms, hence the slack below the sleep.
TEST(Clock, TickCountMovesWithASleep) {
    const std::uint32_t start = platform::tick_count_ms();
    platform::sleep_ms(120);
    const std::uint32_t elapsed = platform::tick_count_ms() - start;
    EXPECT_GE(elapsed, 100u);
}

}  // namespace
