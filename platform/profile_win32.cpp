#include <windows.h>

#include <vector>

#include "platform/profile.h"

namespace platform {

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is UTF-16");

const wchar_t* wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

}  // namespace

std::u16string read_profile_string(const std::u16string& section, const std::u16string& key,
                                   const std::u16string& default_value, std::size_t buffer_size,
                                   const std::u16string& file_path) {
    if (buffer_size == 0) {
        return {};
    }
    const DWORD size = buffer_size > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<DWORD>(buffer_size);
    std::vector<wchar_t> buffer(size, L'\0');
    const DWORD length = GetPrivateProfileStringW(wide(section), wide(key), wide(default_value),
                                                  buffer.data(), size, wide(file_path));
    return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()), length);
}

bool write_profile_string(const std::u16string& section, const std::u16string& key,
                          const std::u16string& value, const std::u16string& file_path) {
    return WritePrivateProfileStringW(wide(section), wide(key), wide(value), wide(file_path)) != 0;
}

}  // namespace platform
