// Starting programs and pausing the calling thread.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Starts the program at path (a full path; on POSIX a backslash counts as a directory separator)
// with no arguments, the caller's environment and current directory and no inherited handles,
// and returns at once: nothing waits for the program and it leaves no zombie behind. True when
// the program was started (on POSIX: when it was executed).
bool start_process(const std::u16string& path);

// Suspends the calling thread for at least the given number of milliseconds.
void sleep_ms(std::uint32_t milliseconds);

}  // namespace platform
