// Windows-style wide paths as POSIX file names.
#pragma once

#include <string>
#include <string_view>

namespace platform::internal {

// The UTF-8 file name for a wide path: a backslash counts as a directory separator, as it does
// on Windows, so paths joined with "\" by callers name the same file here.
std::string posix_path(std::u16string_view path);

}  // namespace platform::internal
