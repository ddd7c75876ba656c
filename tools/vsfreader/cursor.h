// A read position over the bytes of a file. Every access checks the bounds first: peeking past the
// end yields -1, and advancing is clamped to the end, so no caller can read outside the bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "tools/vsfreader/parse_error.h"

namespace vsf::detail {

class Cursor {
  public:
    explicit Cursor(std::string_view bytes) : bytes_(bytes) {}

    std::size_t pos() const { return pos_; }
    std::size_t size() const { return bytes_.size(); }
    std::size_t remaining() const { return bytes_.size() - pos_; }
    bool at_end() const { return pos_ >= bytes_.size(); }
    // The byte `ahead` positions after the cursor as 0..255, or -1 past the end.
    int peek(std::size_t ahead = 0) const {
        return ahead < remaining() ? static_cast<unsigned char>(bytes_[pos_ + ahead]) : -1;
    }
    bool starts_with(std::string_view text) const {
        return bytes_.substr(pos_, text.size()) == text;
    }
    // Moves forward by `n` bytes, at most to the end.
    void advance(std::size_t n = 1) { pos_ += n < remaining() ? n : remaining(); }
    void seek(std::size_t pos) { pos_ = pos < bytes_.size() ? pos : bytes_.size(); }
    // The `n` bytes from `from`, cut at the end.
    std::string_view slice(std::size_t from, std::size_t n) const {
        return from < bytes_.size() ? bytes_.substr(from, n) : std::string_view();
    }
    // Copies up to `n` bytes at the cursor into `out` and advances past them.
    std::size_t read(void* out, std::size_t n);

    // Skips spaces, tabs and carriage returns, not line feeds.
    void skip_blanks();
    // Skips spaces, tabs, carriage returns and line feeds.
    void skip_space();
    // Moves past the next line feed (or to the end).
    void skip_line();

    [[noreturn]] static void fail(std::size_t offset, const std::string& message) {
        throw ParseError(offset, message);
    }

  private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

// "'c'" for a printable byte, "byte 0xNN" otherwise, for error messages.
std::string describe_byte(int byte);

}  // namespace vsf::detail
