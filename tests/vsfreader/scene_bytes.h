// Building scene file bytes by hand for the reader's tests: the header lines and binary blocks.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace vsf_test {

// The four header lines that every scene file starts with.
inline std::string header() {
    return "//---tesmar:dal:7---\n//---import:dal:1---\n//---id:1---\n"
           "// This is a Vistrel scene file\n\n";
}

// The 8-byte tag and count of a binary block; `count` may lie about the data that follows.
inline std::string block_head(char kind, int32_t count) {
    std::string bytes = {'\x01', '\x02', '\x03', kind};
    const auto bits = static_cast<uint32_t>(count);
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<char>((bits >> shift) & 0xff));
    }
    return bytes;
}

// Little-endian bytes of the values (the test machines are little-endian, as the format is).
template <typename T>
std::string raw(const std::vector<T>& values) {
    std::string bytes(values.size() * sizeof(T), '\0');
    if (!values.empty()) {
        std::memcpy(&bytes[0], values.data(), bytes.size());
    }
    return bytes;
}

// A whole binary block of the kind letter with the given values.
template <typename T>
std::string block(char kind, const std::vector<T>& values) {
    return block_head(kind, static_cast<int32_t>(values.size())) + raw(values);
}

}  // namespace vsf_test
