#include "tools/vsfdump/dump.h"

#include <fstream>
#include <stdexcept>

#include "tools/vsfdump/outline.h"
#include "tools/vsfdump/stats_report.h"
#include "tools/vsfreader/reader.h"
#include "tools/vsfreader/stats.h"
#include "tools/vsfreader/text_writer.h"

namespace vsfdump {

int run_dump(const DumpOptions& options, std::ostream& out, std::ostream& err) {
    std::string bytes;
    vsf::Document document;
    try {
        bytes = vsf::read_file_bytes(options.file);
        document = vsf::read_bytes(bytes);
    } catch (const vsf::ParseError& error) {
        err << "vsfdump: " << options.file << ": byte " << error.offset() << ": " << error.what()
            << '\n';
        return kExitBadInput;
    } catch (const std::exception& error) {
        err << "vsfdump: " << options.file << ": " << error.what() << '\n';
        return kExitBadInput;
    }

    const bool outline = options.values || (!options.stats && options.text_path.empty());
    if (outline) {
        print_outline(out, document, options.values);
    }
    if (options.stats) {
        print_stats(out, vsf::compute_stats(document));
    }
    if (!options.text_path.empty()) {
        std::ofstream text(options.text_path, std::ios::binary | std::ios::trunc);
        if (text) {
            vsf::write_text(text, bytes, document);
            text.close();
        }
        if (!text) {
            err << "vsfdump: " << options.text_path << ": cannot write the file\n";
            return kExitWriteFailed;
        }
    }
    out.flush();
    return kExitOk;
}

}  // namespace vsfdump
