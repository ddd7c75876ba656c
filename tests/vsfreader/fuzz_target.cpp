// libFuzzer entry point for the reader (built with clang and -DVSF_FUZZ=ON only). Any input must
// either parse, and then survive the statistics and the text conversion, or throw ParseError.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string_view>

#include "tools/vsfreader/reader.h"
#include "tools/vsfreader/stats.h"
#include "tools/vsfreader/text_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        const vsf::Document document = vsf::read_bytes(bytes);
        vsf::compute_stats(document);
        std::ostringstream text;
        vsf::write_text(text, bytes, document);
        // The text form of a valid file is itself valid.
        vsf::read_bytes(text.str());
    } catch (const vsf::ParseError& error) {
        if (error.offset() > size) {
            __builtin_trap();
        }
    }
    return 0;
}
