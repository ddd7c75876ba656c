#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

#include "platform/file_io.h"
#include "platform/utf.h"

namespace platform {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is UTF-16");

std::FILE* open_file_utf8(const std::string& path, const char* mode) {
    const std::u16string wide_path = utf8_to_utf16(path);
    const std::u16string wide_mode = utf8_to_utf16(mode);
    return ::_wfopen(reinterpret_cast<const wchar_t*>(wide_path.c_str()),
                     reinterpret_cast<const wchar_t*>(wide_mode.c_str()));
}

std::FILE* take_standard_output() {
    std::fflush(stdout);
    const int data_fd = ::_dup(1);
    if (data_fd < 0) {
        return nullptr;
    }
    // Binary, so that no line feed in the data becomes a carriage return and line feed.
    ::_setmode(data_fd, _O_BINARY);
    std::FILE* data = ::_fdopen(data_fd, "wb");
    if (!data) {
        ::_close(data_fd);
        return nullptr;
    }
    ::_dup2(2, 1);
    return data;
}

}  // namespace platform
