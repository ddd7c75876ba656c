// The indented outline that vsfdump prints of a scene file.
#pragma once

#include <ostream>

#include "tools/vsfreader/document.h"

namespace vsfdump {

// Writes one line per block, parameter and message, indented by two spaces per depth; arrays are
// shown by kind and size (`vertices: float3[1234]`), and with `values` their values follow on
// indented lines. Inline shaders show their entries one level deeper.
void print_outline(std::ostream& out, const vsf::Document& document, bool values);

}  // namespace vsfdump
