// Runs scene calls on a file writer over a temporary file and returns every byte written.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "importers/sceneapi/dev/scene_api_file.h"

namespace sceneapi_test {

inline std::string read_all(std::FILE* file) {
    std::fflush(file);
    std::rewind(file);
    std::string bytes;
    char chunk[65536];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        bytes.append(chunk, n);
    }
    return bytes;
}

inline std::string written_by(const std::function<void(zylScene_api_file&)>& calls,
                              bool binary_arrays = true) {
    std::FILE* file = std::tmpfile();
    if (!file) {
        return "<no temporary file>";
    }
    {
        zylScene_api_file writer(file, binary_arrays);
        calls(writer);
    }
    std::string bytes = read_all(file);
    std::fclose(file);
    return bytes;
}

// The bytes of a binary array block: tag, little-endian count, then the data as stored.
inline std::string binary_block(char kind, int32_t count, const void* data, std::size_t bytes) {
    std::string block = {'\x01', '\x02', '\x03', kind};
    for (int i = 0; i < 4; ++i) {
        block.push_back(static_cast<char>((static_cast<uint32_t>(count) >> (8 * i)) & 0xFF));
    }
    block.append(static_cast<const char*>(data), bytes);
    return block;
}

}  // namespace sceneapi_test
