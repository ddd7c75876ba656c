#include <unistd.h>

#include <cstdio>

#include "platform/file_io.h"

namespace platform {

std::FILE* open_file_utf8(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

std::FILE* take_standard_output() {
    std::fflush(stdout);
    int data_fd = ::dup(STDOUT_FILENO);
    if (data_fd < 0) {
        return nullptr;
    }
    std::FILE* data = ::fdopen(data_fd, "wb");
    if (!data) {
        ::close(data_fd);
        return nullptr;
    }
    ::dup2(STDERR_FILENO, STDOUT_FILENO);
    return data;
}

}  // namespace platform
