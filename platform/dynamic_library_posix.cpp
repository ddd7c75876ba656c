#include <dlfcn.h>

#include <utility>

#include "platform/dynamic_library.h"
#include "platform/internal/posix_path.h"

namespace platform {

DynamicLibrary DynamicLibrary::load(const std::u16string& path) {
    return DynamicLibrary(::dlopen(internal::posix_path(path).c_str(), RTLD_NOW | RTLD_LOCAL));
}

void* DynamicLibrary::find_symbol(const char* name) const {
    return handle_ ? ::dlsym(handle_, name) : nullptr;
}

void DynamicLibrary::unload() {
    if (handle_) {
        ::dlclose(std::exchange(handle_, nullptr));
    }
}

}  // namespace platform
