// The one error that the reader reports for bad input: what is wrong and at which byte.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace vsf {

class ParseError : public std::runtime_error {
  public:
    // `message` says what is wrong (without the offset); `offset` is where, counted from 0.
    ParseError(std::size_t offset, const std::string& message)
        : std::runtime_error(message), offset_(offset) {}

    std::size_t offset() const { return offset_; }

  private:
    std::size_t offset_;
};

}  // namespace vsf
