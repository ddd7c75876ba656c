// Opening files by UTF-8 path, and handing standard output over to scene data.
#pragma once

#include <cstdio>
#include <string>

namespace platform {

// Opens the file named by a UTF-8 path with a C mode ("wb+", "rb", ...). Null on failure, with
// errno set as the C runtime sets it.
std::FILE* open_file_utf8(const std::string& path, const char* mode);

// Takes standard output for binary data: duplicates the standard-output descriptor and opens the
// duplicate as a binary stream, then points the standard-output descriptor at standard error so
// that anything else printed to standard output cannot mix with the data. Null on failure.
std::FILE* take_standard_output();

}  // namespace platform
