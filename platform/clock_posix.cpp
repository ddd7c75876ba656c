#include <time.h>

#include "platform/clock.h"

namespace platform {

std::string local_time_text() {
    const time_t now = ::time(nullptr);
    struct tm local = {};
    char text[16] = {};
    if (!::localtime_r(&now, &local) || ::strftime(text, sizeof text, "%H:%M:%S", &local) == 0) {
        return "00:00:00";
    }
    return text;
}

std::uint32_t tick_count_ms() {
    struct timespec now = {};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    const std::uint64_t ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                             static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(ms);
}

}  // namespace platform
