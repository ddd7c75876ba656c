#include "tools/vsfreader/cursor.h"

#include <cstdio>
#include <cstring>

namespace vsf::detail {

std::size_t Cursor::read(void* out, std::size_t n) {
    const std::size_t count = n < remaining() ? n : remaining();
    if (count > 0) {
        std::memcpy(out, bytes_.data() + pos_, count);
    }
    pos_ += count;
    return count;
}

void Cursor::skip_blanks() {
    for (int c = peek(); c == ' ' || c == '\t' || c == '\r'; c = peek()) {
        ++pos_;
    }
}

void Cursor::skip_space() {
    for (int c = peek(); c == ' ' || c == '\t' || c == '\r' || c == '\n'; c = peek()) {
        ++pos_;
    }
}

void Cursor::skip_line() {
    const std::size_t feed = bytes_.find('\n', pos_);
    pos_ = feed == std::string_view::npos ? bytes_.size() : feed + 1;
}

std::string describe_byte(int byte) {
    if (byte < 0) {
        return "end of file";
    }
    char text[16];
    if (byte > 0x20 && byte < 0x7f) {
        std::snprintf(text, sizeof text, "'%c'", static_cast<char>(byte));
    } else {
        std::snprintf(text, sizeof text, "byte 0x%02x", static_cast<unsigned>(byte));
    }
    return text;
}

}  // namespace vsf::detail
