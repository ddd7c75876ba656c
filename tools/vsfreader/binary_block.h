// Reading one embedded binary array block: 0x01 0x02 0x03, the kind letter (c, f, r or i), the
// count as little-endian int32 and count x 4 (c, f, i) or count x 8 (r) bytes of little-endian
// data.
#pragma once

#include "tools/vsfreader/cursor.h"
#include "tools/vsfreader/document.h"

namespace vsf::detail {

// With the cursor on the block's first byte (0x01): checks the tag, the kind and that the count is
// neither negative nor larger than the bytes left, then copies the data in one piece into the
// array's vector of that kind and moves past it. Throws ParseError naming the offending byte.
void read_binary_block(Cursor& cursor, Array& array);

// The size in bytes of one scalar of a binary kind: 8 for double1, else 4.
std::size_t scalar_bytes(ArrayKind kind);

}  // namespace vsf::detail
