#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

#include "tools/vsfreader/reader.h"

namespace vsf {

std::string read_file_bytes(const std::string& path) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         &std::fclose);
    if (!file) {
        throw std::runtime_error(std::string("cannot read file: ") + std::strerror(errno));
    }
    std::string bytes;
    char chunk[1 << 16];
    for (;;) {
        const std::size_t n = std::fread(chunk, 1, sizeof chunk, file.get());
        bytes.append(chunk, n);
        if (n < sizeof chunk) {
            break;
        }
    }
    if (std::ferror(file.get())) {
        throw std::runtime_error("cannot read file: read error");
    }
    return bytes;
}

Document read_file(const std::string& path) {
    return read_bytes(read_file_bytes(path));
}

}  // namespace vsf
