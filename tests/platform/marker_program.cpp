// The program that the process-start tests start, without arguments. It waits (up to 20 s) for
// the file named by VSF_PLATFORM_MARKER plus ".go" to appear, then writes "go" (or "timeout")
// into the marker file, through a temporary name so that a reader never sees half of it.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#ifdef _WIN32
// Wide names throughout: the marker's folder has a non-ASCII name.
using Text = std::wstring;
#define TEXT_OF(s) L##s
const wchar_t* environment(const wchar_t* name) {
    return _wgetenv(name);
}
std::FILE* open(const Text& path, const wchar_t* mode) {
    return _wfopen(path.c_str(), mode);
}
int rename_file(const Text& from, const Text& to) {
    return _wrename(from.c_str(), to.c_str());
}
#else
using Text = std::string;
#define TEXT_OF(s) s
const char* environment(const char* name) {
    return std::getenv(name);
}
std::FILE* open(const Text& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}
int rename_file(const Text& from, const Text& to) {
    return std::rename(from.c_str(), to.c_str());
}
#endif

int main() {
    const auto* marker = environment(TEXT_OF("VSF_PLATFORM_MARKER"));
    if (!marker) {
        return 2;
    }
    const char* result = "timeout";
    for (int i = 0; i < 2000; ++i) {
        if (std::FILE* go = open(Text(marker) + TEXT_OF(".go"), TEXT_OF("rb"))) {
            std::fclose(go);
            result = "go";
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const Text temporary = Text(marker) + TEXT_OF(".tmp");
    std::FILE* out = open(temporary, TEXT_OF("wb"));
    if (!out) {
        return 3;
    }
    std::fputs(result, out);
    std::fclose(out);
    return rename_file(temporary, marker) == 0 ? 0 : 4;
}
