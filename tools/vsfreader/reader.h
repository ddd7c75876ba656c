// Reading .vsf scene files into a Document. The reader is safe for untrusted bytes: every read is
// bounds-checked, nesting is limited, and any malformed input ends in one vsf::ParseError that
// names the byte offset; it never reads past the end and never crashes.
#pragma once

#include <string>
#include <string_view>

#include "tools/vsfreader/document.h"
#include "tools/vsfreader/parse_error.h"

namespace vsf {

// Parses a whole scene file held in `bytes` (which must start with the "//---tesmar:dal:" header
// line). Binary array blocks are copied into one typed vector per array.
// Throws ParseError on malformed input; the result does not refer to `bytes`.
Document read_bytes(std::string_view bytes);

// Reads the file at `path` in binary mode and parses it as read_bytes does.
// Throws std::runtime_error when the file cannot be read, ParseError when it is malformed.
Document read_file(const std::string& path);

// The whole content of the file at `path`, read in binary mode.
// Throws std::runtime_error ("cannot read file: <reason>") when it cannot be read.
std::string read_file_bytes(const std::string& path);

}  // namespace vsf
