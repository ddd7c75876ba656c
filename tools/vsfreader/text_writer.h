// Converting a scene file with embedded binary array blocks into an equivalent all-text file.
#pragma once

#include <ostream>
#include <string_view>

#include "tools/vsfreader/document.h"

namespace vsf {

// Writes `bytes` to `out` unchanged except that every binary array block becomes a text array of
// the same values: elements separated by ",", the last followed by " ", a line feed after each
// element whose index is a non-zero multiple of 8; a float3 element is "x y z". Numbers are written
// in the shortest form that reads back to the same float32, float64 or int32.
// `document` must be the result of read_bytes(bytes). Stream errors are left in `out`'s state.
void write_text(std::ostream& out, std::string_view bytes, const Document& document);

}  // namespace vsf
