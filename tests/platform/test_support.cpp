#include "test_support.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/utf.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace platform_test {

namespace fs = std::filesystem;

void ScratchFolderTest::SetUp() {
    static std::atomic<int> counter{0};
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("vsf-platform-\xC3\xA9t\xC3\xA9-") + info->name() + "-" +
                       std::to_string(counter++);
#ifdef _WIN32
    name += "-" + std::to_string(GetCurrentProcessId());
#else
    name += "-" + std::to_string(::getpid());
#endif
    for (char& c : name) {
        if (c == '/') {
            c = '_';  // Parameterised test names hold a slash.
        }
    }
    folder_name_ = name;
    folder_ = fs::temp_directory_path() / fs::u8path(name);
    fs::remove_all(folder_);
    fs::create_directories(folder_);
}

void ScratchFolderTest::TearDown() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

fs::path ScratchFolderTest::path_of(const std::string& name) const {
    return folder_ / fs::u8path(name);
}

std::string utf8_of(const fs::path& path) {
    return path.u8string();
}

std::u16string utf16_of(const fs::path& path) {
    return platform::utf8_to_utf16(path.u8string());
}

void write_file(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    ASSERT_TRUE(out.good()) << utf8_of(path);
}

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void set_environment(const char* name, const std::string& value) {
#ifdef _WIN32
    // Sets the C runtime's copy (for getenv) and the Win32 one (handed on by CreateProcessW).
    const std::u16string wide_name = platform::utf8_to_utf16(name);
    const std::u16string wide_value = platform::utf8_to_utf16(value);
    _wputenv_s(reinterpret_cast<const wchar_t*>(wide_name.c_str()),
               reinterpret_cast<const wchar_t*>(wide_value.c_str()));
    SetEnvironmentVariableW(reinterpret_cast<const wchar_t*>(wide_name.c_str()),
                            reinterpret_cast<const wchar_t*>(wide_value.c_str()));
#else
    ::setenv(name, value.c_str(), 1);
#endif
}

fs::path program_folder() {
#ifdef _WIN32
    wchar_t path[32768];
    const DWORD length = GetModuleFileNameW(nullptr, path, 32768);
    return fs::path(std::wstring(path, length)).parent_path();
#else
    return fs::read_symlink("/proc/self/exe").parent_path();
#endif
}

}  // namespace platform_test
