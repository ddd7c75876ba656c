#include <windows.h>

#include "platform/clock.h"
#include "platform/utf.h"

namespace platform {

std::string local_time_text() {
    wchar_t text[200] = {};
    const int length = GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, L"HH':'mm':'ss", text, 200);
    if (length <= 1) {
        return "00:00:00";
    }
    return utf16_to_utf8(std::u16string_view(reinterpret_cast<const char16_t*>(text),
                                             static_cast<std::size_t>(length - 1)));
}

std::uint32_t tick_count_ms() {
    return GetTickCount();
}

}  // namespace platform
