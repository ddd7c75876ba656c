#include <windows.h>

#include "platform/utf.h"

namespace platform {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is UTF-16");

// Without MB_ERR_INVALID_CHARS / WC_ERR_INVALID_CHARS both calls put U+FFFD in place of what
// cannot be converted instead of failing.
std::u16string utf8_to_utf16(std::string_view text) {
    if (text.empty() || text.size() > 0x7FFFFFFF) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::u16string out(static_cast<std::size_t>(length > 0 ? length : 0), u'\0');
    if (length > 0) {
        MultiByteToWideChar(CP_UTF8, 0, text.data(), size, reinterpret_cast<wchar_t*>(&out[0]),
                            length);
    }
    return out;
}

std::string utf16_to_utf8(std::u16string_view text) {
    if (text.empty() || text.size() > 0x7FFFFFFF) {
        return {};
    }
    const wchar_t* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide, size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length > 0) {
        WideCharToMultiByte(CP_UTF8, 0, wide, size, &out[0], length, nullptr, nullptr);
    }
    return out;
}

}  // namespace platform
