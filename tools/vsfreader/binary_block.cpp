#include "tools/vsfreader/binary_block.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

namespace vsf::detail {
namespace {

bool host_is_little_endian() {
    const std::uint16_t one = 1;
    unsigned char first = 0;
    std::memcpy(&first, &one, 1);
    return first == 1;
}

// The file holds little-endian scalars; a big-endian host turns each one around after the copy.
template <typename T>
void to_host_order(std::vector<T>& values) {
    if (host_is_little_endian()) {
        return;
    }
    for (T& value : values) {
        auto* bytes = reinterpret_cast<unsigned char*>(&value);
        std::reverse(bytes, bytes + sizeof(T));
    }
}

template <typename T>
void copy_data(Cursor& cursor, std::vector<T>& values, std::size_t count) {
    values.resize(count);
    cursor.read(values.data(), count * sizeof(T));
    to_host_order(values);
}

}  // namespace

std::size_t scalar_bytes(ArrayKind kind) {
    return kind == ArrayKind::double1 ? 8 : 4;
}

void read_binary_block(Cursor& cursor, Array& array) {
    const std::size_t start = cursor.pos();
    if (cursor.remaining() < 8) {
        Cursor::fail(start, "truncated binary block: the file ends inside its tag and count");
    }
    if (cursor.peek(1) != 0x02 || cursor.peek(2) != 0x03) {
        Cursor::fail(start, "bad binary block tag (expected the bytes 01 02 03)");
    }
    const int letter = cursor.peek(3);
    switch (letter) {
        case 'c':
            array.kind = ArrayKind::float3;
            break;
        case 'f':
            array.kind = ArrayKind::float1;
            break;
        case 'r':
            array.kind = ArrayKind::double1;
            break;
        case 'i':
            array.kind = ArrayKind::int1;
            break;
        default:
            Cursor::fail(start + 3, "unknown binary block kind " + describe_byte(letter));
    }
    cursor.advance(4);
    unsigned char raw[4];
    cursor.read(raw, 4);
    const std::uint32_t bits =
        static_cast<std::uint32_t>(raw[0]) | static_cast<std::uint32_t>(raw[1]) << 8 |
        static_cast<std::uint32_t>(raw[2]) << 16 | static_cast<std::uint32_t>(raw[3]) << 24;
    std::int32_t count = 0;
    std::memcpy(&count, &bits, sizeof count);
    if (count < 0) {
        Cursor::fail(start + 4, "negative count " + std::to_string(count) + " in binary block");
    }
    const std::uint64_t needed = static_cast<std::uint64_t>(count) * scalar_bytes(array.kind);
    if (needed > cursor.remaining()) {
        Cursor::fail(start + 4, "truncated binary block: its count " + std::to_string(count) +
                                    " needs " + std::to_string(needed) + " bytes but only " +
                                    std::to_string(cursor.remaining()) + " are left");
    }
    if (array.kind == ArrayKind::float3 && count % 3 != 0) {
        Cursor::fail(start + 4, "float3 binary block count " + std::to_string(count) +
                                    " is not a multiple of 3");
    }
    const auto n = static_cast<std::size_t>(count);
    switch (array.kind) {
        case ArrayKind::float3:
        case ArrayKind::float1:
            copy_data(cursor, array.floats, n);
            break;
        case ArrayKind::double1:
            copy_data(cursor, array.doubles, n);
            break;
        default:
            copy_data(cursor, array.ints, n);
            break;
    }
    array.data_begin = start;
    array.data_end = cursor.pos();
}

}  // namespace vsf::detail
