// Wall-clock time for log lines and a millisecond tick count for intervals.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The current local time as "HH:mm:ss" (24-hour clock, two digits each).
std::string local_time_text();

// Milliseconds since an arbitrary start (GetTickCount); wraps around after about 49.7 days, so
// intervals are computed as unsigned differences.
std::uint32_t tick_count_ms();

}  // namespace platform
