#include <windows.h>

#include <utility>

#include "platform/dynamic_library.h"

namespace platform {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is UTF-16");

DynamicLibrary DynamicLibrary::load(const std::u16string& path) {
    return DynamicLibrary(LoadLibraryW(reinterpret_cast<const wchar_t*>(path.c_str())));
}

void* DynamicLibrary::find_symbol(const char* name) const {
    if (!handle_) {
        return nullptr;
    }
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

void DynamicLibrary::unload() {
    if (handle_) {
        FreeLibrary(static_cast<HMODULE>(std::exchange(handle_, nullptr)));
    }
}

}  // namespace platform
