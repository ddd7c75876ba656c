#include "exporter/narrow_text.h"

namespace vsf {

std::string narrow_text(const std::u16string& text) {
    std::string narrow;
    const std::size_t units = text.size() < kMaxNameUnits ? text.size() : kMaxNameUnits;
    narrow.reserve(units);
    for (std::size_t i = 0; i < units; ++i) {
        const char byte = static_cast<char>(text[i] & 0xFF);
        if (byte == '\0') {
            break;
        }
        narrow.push_back(byte);
    }
    return narrow;
}

}  // namespace vsf
