// Loading a shared library (a DLL on Windows) at run time and finding its exported symbols.
#pragma once

#include <string>

namespace platform {

// A loaded library; unloaded when destroyed. Move-only.
class DynamicLibrary {
  public:
    DynamicLibrary() = default;
    ~DynamicLibrary();
    DynamicLibrary(DynamicLibrary&& other) noexcept;
    DynamicLibrary& operator=(DynamicLibrary&& other) noexcept;
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // Loads the library at path (LoadLibraryW; dlopen on POSIX, where a backslash also counts as
    // a directory separator). Give a full path: a bare file name is searched the system's way.
    // The result is not loaded (is_loaded false) when the library cannot be loaded.
    static DynamicLibrary load(const std::u16string& path);

    bool is_loaded() const { return handle_ != nullptr; }

    // The address of the exported symbol name, or null when there is none or nothing is loaded.
    // A function's address is cast to its type by the caller.
    void* find_symbol(const char* name) const;

    // Unloads the library now (FreeLibrary / dlclose); does nothing when nothing is loaded.
    void unload();

  private:
    explicit DynamicLibrary(void* handle) : handle_(handle) {}
    void* handle_ = nullptr;
};

}  // namespace platform
