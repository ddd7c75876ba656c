// Host texts (UTF-16) as the 8-bit text that the scene library takes.
#pragma once

#include <string>

namespace vsf {

// The longest name handed to the scene library, in UTF-16 units; longer names are cut.
constexpr std::size_t kMaxNameUnits = 1023;

// Keeps the low byte of each UTF-16 unit, for at most kMaxNameUnits units, and ends at the
// first zero byte (so a character whose low byte is zero ends the text).
std::string narrow_text(const std::u16string& text);

}  // namespace vsf
