// Conversion between UTF-8 (narrow texts, paths, files) and UTF-16 (the host's and the registry's
// wide texts).
#pragma once

#include <string>
#include <string_view>

namespace platform {

// UTF-8 to UTF-16. Any byte sequence is accepted: an ill-formed sequence (stray continuation
// byte, overlong form, surrogate, value above U+10FFFF, truncated tail) becomes U+FFFD (one or
// more, depending on the system's converter) and the text around it is kept. Never reads outside
// the view.
std::u16string utf8_to_utf16(std::string_view text);

// UTF-16 to UTF-8. An unpaired surrogate becomes U+FFFD; everything else converts exactly.
std::string utf16_to_utf8(std::u16string_view text);

}  // namespace platform
